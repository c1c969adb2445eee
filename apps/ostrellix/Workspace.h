#pragma once

#include <filesystem>
#include <optional>

namespace ostrellix::host {

// The folder the host program keeps a Kelo installation in: the Kelo
// database ("kelo.db", the demo schema and data on first run), the
// Outlook profile's store ("outlook.store"), the user's settings
// ("config") and the client's working folder ("work"). By default
// $XDG_DATA_HOME/ostrellix/workspace (~/.local/share/ostrellix/workspace).
class Workspace {
public:
    // Opens the folder, making it when absent.
    static Workspace Open(const std::optional<std::filesystem::path>& folder);
    static std::filesystem::path DefaultFolder();

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path KeloDatabase() const { return root_ / "kelo.db"; }
    std::filesystem::path OutlookStore() const { return root_ / "outlook.store"; }
    std::filesystem::path Config() const { return root_ / "config"; }
    std::filesystem::path Work() const { return root_ / "work"; }
    // True when this run made the workspace.
    bool New() const { return new_; }

private:
    std::filesystem::path root_;
    bool new_ = false;
};

}  // namespace ostrellix::host

#include "apps/ostrellix/Workspace.h"

#include <cstdlib>

#include "runtime/ComError.h"

namespace ostrellix::host {

std::filesystem::path Workspace::DefaultFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        return std::filesystem::path(data) / "ostrellix" / "workspace";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / "ostrellix" / "workspace";
}

Workspace Workspace::Open(const std::optional<std::filesystem::path>& folder) {
    Workspace workspace;
    workspace.root_ = std::filesystem::absolute(folder.value_or(DefaultFolder()));
    std::error_code error;
    if (std::filesystem::exists(workspace.root_) && !std::filesystem::is_directory(workspace.root_)) {
        throw ComError(errors::InvalidProcedureCall, "ostrellix",
                       "The workspace " + workspace.root_.string() + " is a file, not a folder");
    }
    workspace.new_ = !std::filesystem::exists(workspace.KeloDatabase());
    for (const auto& path : {workspace.root_, workspace.Config(), workspace.Work()}) {
        std::filesystem::create_directories(path, error);
        if (error) {
            throw ComError(errors::InvalidProcedureCall, "ostrellix",
                           "Cannot make the workspace folder " + path.string() + ": " + error.message());
        }
    }
    return workspace;
}

}  // namespace ostrellix::host

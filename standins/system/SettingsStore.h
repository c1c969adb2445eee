#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "contracts/win/ISettingsStore.h"
#include "standins/system/FaultSwitch.h"
#include "standins/system/SharedCounter.h"

namespace ostrellix::standin::system {

// The current user's registry, kept as one JSON file (by default
// $XDG_CONFIG_HOME/ostrellix/registry.json). Every call sees what other
// processes wrote: the file is read again whenever it changed on disk.
// A write takes an exclusive lock on "<file>.lock", reads the latest
// content, and replaces the file atomically (temporary file, fsync, rename),
// clearing away the temporary files of writers killed midway; then it
// counts itself in the lock file (SharedCounter). A read looks at the file
// only when that count moved: the add-in reads a setting for every line it
// logs, and looking at the file each time was a system call per line.
// A file that is not a registry file raises an error naming it and is never
// overwritten.
class SettingsStore final : public win::ISettingsStore {
public:
    explicit SettingsStore(std::filesystem::path file);

    // The registry file inside `configDirectory` (for tests and overrides).
    static std::filesystem::path FileIn(const std::filesystem::path& configDirectory);
    // $XDG_CONFIG_HOME/ostrellix, or ~/.config/ostrellix.
    static std::filesystem::path DefaultDirectory();

    const std::filesystem::path& File() const { return file_; }
    // Every write (save or delete) is a call of "Registry" in the machine's
    // fault switch; a failed one is refused as by a full disk, before the
    // file is touched.
    void FailIn(FaultSwitch& faults) { faults_ = &faults; }

    std::string GetSetting(std::string_view application, std::string_view section, std::string_view name,
                           std::string_view defaultValue) override;
    void SaveSetting(std::string_view application, std::string_view section, std::string_view name,
                     std::string_view value) override;
    void DeleteSetting(std::string_view application, std::string_view section, std::string_view name) override;

    std::optional<win::RegistryValue> ReadValue(std::string_view keyPath, std::string_view name) override;
    void WriteValue(std::string_view keyPath, std::string_view name, const win::RegistryValue& value) override;

private:
    struct NamedValue {
        std::string name;  // as first written
        win::RegistryValue value;
    };
    struct Key {
        std::string path;                          // as first written
        std::map<std::string, NamedValue> values;  // by lower-cased name
    };
    using Hive = std::map<std::string, Key>;       // by lower-cased path

    struct FileStamp {
        ino_t inode = 0;
        off_t size = -1;
        long long modified = 0;
        bool operator==(const FileStamp&) const = default;
    };

    static std::string ProgramKey(std::string_view application, std::string_view section);
    std::filesystem::path LockFile() const;
    void Refresh();
    Hive Load() const;
    void Store(const Hive& hive);
    // Runs `change` on the latest content under the lock, then writes it.
    template <class Change>
    void Modify(Change&& change);

    std::filesystem::path file_;
    Hive hive_;
    std::optional<FileStamp> loaded_;
    SharedCounter writes_;
    std::optional<std::uint64_t> loadedWrites_;  // the count of writes when the file was last looked at
    FaultSwitch* faults_ = nullptr;
};

}  // namespace ostrellix::standin::system

#include "standins/system/SettingsStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "runtime/AtomicFile.h"
#include "runtime/Base64.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::standin::system {

namespace {

using nlohmann::json;
using Kind = win::RegistryValue::Kind;

constexpr std::int32_t kRegistryCorrupt = static_cast<std::int32_t>(0x800703F9u);
constexpr std::int32_t kRegistryIoError = static_cast<std::int32_t>(0x800703F8u);
constexpr const char* kFormat = "ostrellix-registry";
constexpr const char* kSource = "Ostrellix.Registry";

[[noreturn]] void Fail(std::int32_t number, const std::filesystem::path& file, const std::string& why) {
    throw ComError(number, kSource, "The settings file '" + file.string() + "' " + why);
}

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::String: return "REG_SZ";
        case Kind::ExpandString: return "REG_EXPAND_SZ";
        case Kind::DWord: return "REG_DWORD";
        case Kind::Binary: return "REG_BINARY";
    }
    return "REG_SZ";
}

std::optional<Kind> KindFromName(std::string_view name) {
    if (name == "REG_SZ") return Kind::String;
    if (name == "REG_EXPAND_SZ") return Kind::ExpandString;
    if (name == "REG_DWORD") return Kind::DWord;
    if (name == "REG_BINARY") return Kind::Binary;
    return std::nullopt;
}

json ToJson(const win::RegistryValue& value) {
    json data;
    switch (value.kind) {
        case Kind::DWord: data = value.data.ToLong(); break;
        case Kind::Binary: data = Base64Encode(value.data.ToBytes()); break;
        default: data = value.data.ToString(); break;
    }
    return json{{"type", KindName(value.kind)}, {"data", data}};
}

win::RegistryValue FromJson(const json& j) {
    const auto kind = KindFromName(j.at("type").get<std::string>());
    if (!kind) throw std::runtime_error("unknown value type " + j.at("type").get<std::string>());
    const json& data = j.at("data");
    switch (*kind) {
        case Kind::DWord: {
            // Converting a number outside the 32-bit range would change it (or be undefined for a fraction).
            const bool fits = data.is_number_integer() && data.get<std::int64_t>() >= INT32_MIN &&
                              (data.is_number_unsigned() ? data.get<std::uint64_t>() <= INT32_MAX
                                                         : data.get<std::int64_t>() <= INT32_MAX);
            if (!fits) throw std::runtime_error("REG_DWORD data " + data.dump() + " is not a 32-bit integer");
            return {*kind, Variant(data.get<std::int32_t>())};
        }
        case Kind::Binary: return {*kind, Variant(Base64Decode(data.get<std::string>()))};
        default: return {*kind, Variant(data.get<std::string>())};
    }
}

// Holds an exclusive lock on a file for as long as it lives.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0) {
            Fail(kRegistryIoError, path, std::string("cannot be locked: ") + std::strerror(errno));
        }
    }
    ~FileLock() { ::close(fd_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace

SettingsStore::SettingsStore(std::filesystem::path file) : file_(std::move(file)) { writes_.Open(LockFile()); }

std::filesystem::path SettingsStore::LockFile() const { return file_.string() + ".lock"; }

std::filesystem::path SettingsStore::FileIn(const std::filesystem::path& configDirectory) {
    return configDirectory / "registry.json";
}

std::filesystem::path SettingsStore::DefaultDirectory() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return std::filesystem::path(xdg) / "ostrellix";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".config" / "ostrellix";
}

std::string SettingsStore::ProgramKey(std::string_view application, std::string_view section) {
    return "Software\\VB and VBA Program Settings\\" + std::string(application) + "\\" + std::string(section);
}

SettingsStore::Hive SettingsStore::Load() const {
    std::ifstream in(file_, std::ios::binary);
    if (!in) {
        if (!std::filesystem::exists(file_)) return {};
        Fail(kRegistryIoError, file_, "cannot be read");
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    Hive hive;
    try {
        const json root = json::parse(buffer.str());
        if (!root.is_object() || root.value("format", "") != kFormat) {
            throw std::runtime_error("it is not an Ostrellix registry file");
        }
        for (const auto& [path, values] : root.at("keys").items()) {
            Key& key = hive[text::LCase(path)];
            key.path = path;
            for (const auto& [name, value] : values.items()) {
                key.values[text::LCase(name)] = NamedValue{name, FromJson(value)};
            }
        }
    } catch (const std::exception& error) {
        Fail(kRegistryCorrupt, file_, std::string("is corrupt and was left as it is: ") + error.what());
    }
    return hive;
}

void SettingsStore::Store(const Hive& hive) {
    json keys = json::object();
    for (const auto& [lower, key] : hive) {
        json values = json::object();
        for (const auto& [lowerName, named] : key.values) values[named.name] = ToJson(named.value);
        keys[key.path] = values;
    }
    const std::string content = json{{"format", kFormat}, {"version", 1}, {"keys", keys}}.dump(2) + "\n";

    // Only writers holding the lock get here, so a temporary file beside
    // ours is one a killed writer left.
    AtomicFile::RemoveLeftovers(file_);
    try {
        AtomicFile::Replace(file_, content, AtomicFile::Access::OwnerOnly);
    } catch (const AtomicFile::Failure& failure) {
        if (failure.Where() == AtomicFile::Step::Replace) {
            Fail(kRegistryIoError, file_, "cannot be replaced: " + failure.Reason());
        }
        Fail(kRegistryIoError, failure.Temporary(), "cannot be written: " + failure.Reason());
    }
}

void SettingsStore::Refresh() {
    // Read before the file: a write after this is seen by the next call.
    const std::optional<std::uint64_t> writes = writes_.Read();
    if (loaded_ && writes && writes == loadedWrites_) return;
    loadedWrites_ = writes;
    FileStamp stamp;  // size -1: there is no file
    struct stat info {};
    if (::stat(file_.c_str(), &info) == 0) {
        stamp = FileStamp{info.st_ino, info.st_size,
                          static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
    }
    if (loaded_ && *loaded_ == stamp) return;
    hive_ = stamp.size >= 0 ? Load() : Hive{};
    loaded_ = stamp;
}

template <class Change>
void SettingsStore::Modify(Change&& change) {
    if (faults_ && faults_->Pass("Registry")) Fail(kRegistryIoError, file_, "cannot be written: No space left on device");
    std::filesystem::create_directories(file_.parent_path());
    FileLock lock(LockFile());
    writes_.Open(LockFile());  // when the folder did not exist before
    loaded_.reset();
    Refresh();
    Hive updated = hive_;
    if (!change(updated)) return;
    Store(updated);
    writes_.Increment();
    hive_ = std::move(updated);
    loaded_.reset();  // the next call picks up our own file's stamp
}

std::optional<win::RegistryValue> SettingsStore::ReadValue(std::string_view keyPath, std::string_view name) {
    Refresh();
    const auto key = hive_.find(text::LCase(keyPath));
    if (key == hive_.end()) return std::nullopt;
    const auto value = key->second.values.find(text::LCase(name));
    if (value == key->second.values.end()) return std::nullopt;
    return value->second.value;
}

void SettingsStore::WriteValue(std::string_view keyPath, std::string_view name, const win::RegistryValue& value) {
    Modify([&](Hive& hive) {
        Key& key = hive[text::LCase(keyPath)];
        if (key.path.empty()) key.path = std::string(keyPath);
        auto [slot, added] = key.values.try_emplace(text::LCase(name), NamedValue{std::string(name), value});
        if (!added) slot->second.value = value;
        return true;
    });
}

std::string SettingsStore::GetSetting(std::string_view application, std::string_view section,
                                      std::string_view name, std::string_view defaultValue) {
    const auto value = ReadValue(ProgramKey(application, section), name);
    return value ? value->data.ToString() : std::string(defaultValue);
}

void SettingsStore::SaveSetting(std::string_view application, std::string_view section, std::string_view name,
                                std::string_view value) {
    WriteValue(ProgramKey(application, section), name, {Kind::String, Variant(value)});
}

void SettingsStore::DeleteSetting(std::string_view application, std::string_view section, std::string_view name) {
    bool found = false;
    Modify([&](Hive& hive) {
        const auto key = hive.find(text::LCase(ProgramKey(application, section)));
        found = key != hive.end() && key->second.values.erase(text::LCase(name)) > 0;
        return found;
    });
    if (!found) RaiseRuntimeError(errors::InvalidProcedureCall);
}

}  // namespace ostrellix::standin::system

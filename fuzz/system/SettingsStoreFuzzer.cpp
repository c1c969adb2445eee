#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "runtime/ComError.h"
#include "standins/system/SettingsStore.h"

using namespace ostrellix;
using standin::system::SettingsStore;

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto made = std::filesystem::temp_directory_path() / ("ostrellix-fuzz-settings-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return made;
    }();
    return folder;
}

std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool Same(const std::optional<win::RegistryValue>& a, const std::optional<win::RegistryValue>& b) {
    return a.has_value() == b.has_value() && (!a || (a->kind == b->kind && a->data == b->data));
}

// Every key path and value name the file names, as JSON reads them.
std::vector<std::pair<std::string, std::string>> Names(const std::string& content) {
    std::vector<std::pair<std::string, std::string>> names;
    const nlohmann::json root = nlohmann::json::parse(content);
    for (const auto& [path, values] : root.at("keys").items()) {
        for (const auto& [name, value] : values.items()) names.emplace_back(path, name);
    }
    return names;
}

}  // namespace

// A settings file the store refuses is never overwritten; one it reads
// keeps every value it read when another value is written beside them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = SettingsStore::FileIn(Folder());
    const std::string content(reinterpret_cast<const char*>(data), size);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;

    SettingsStore store(file);
    const win::RegistryValue marker{win::RegistryValue::Kind::String, Variant(std::string("written"))};
    std::vector<std::pair<std::string, std::string>> names;
    std::vector<std::optional<win::RegistryValue>> read;
    try {
        store.ReadValue("Software\\Fuzz", "marker");
    } catch (const ComError&) {
        try {
            store.WriteValue("Software\\Fuzz", "marker", marker);
        } catch (const ComError&) {
            if (Contents(file) != content) std::abort();
            return 0;
        }
        std::abort();
    }
    names = Names(content);
    for (const auto& [path, name] : names) read.push_back(store.ReadValue(path, name));
    try {
        store.WriteValue("Software\\Fuzz", "marker", marker);
    } catch (const ComError&) {
        // A value the file held that cannot be written back.
        std::abort();
    }
    SettingsStore again(file);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto& [path, name] = names[i];
        if (path == "Software\\Fuzz" && name == "marker") continue;
        if (!Same(again.ReadValue(path, name), read[i])) std::abort();
    }
    if (!Same(again.ReadValue("Software\\Fuzz", "marker"), marker)) std::abort();
    return 0;
}

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "apps/ostrellix/Machine.h"
#include "sync/SynchronizationCache.h"

using namespace ostrellix;

namespace {

// The client with the add-in loaded, once for the whole run: the cache
// lives in the folder of the client's current database.
host::Machine& TheMachine() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ostrellix-fuzz-cache-" + std::to_string(::getpid()));
    static std::istringstream input;
    static std::ostringstream output;
    static const std::unique_ptr<host::Machine> machine = [] {
        host::Machine::Setup setup;
        setup.configDirectory = folder / "config";
        setup.workingFolder = folder / "work";
        setup.moduleFolder = OSTRELLIX_SOURCE_TREE;
        setup.input = &input;
        setup.output = &output;
        auto made = std::make_unique<host::Machine>(std::move(setup));
        made->LoadAddin();
        std::atexit([] { std::filesystem::remove_all(folder); });
        return made;
    }();
    return *machine;
}

std::string Text(const pugi::xml_node& root) {
    std::ostringstream text;
    root.print(text, "", pugi::format_raw);
    return text.str();
}

}  // namespace

// Whatever the file holds, the cache loads with a root "xml", and what it
// loaded saves and loads again unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TheMachine();
    addin::SynchronizationCache cache;
    {
        std::ofstream file(cache.Path(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    cache.Load();
    if (std::string_view(cache.XML().name()) != "xml") std::abort();
    const std::string loaded = Text(cache.XML());
    cache.Save();
    cache.Load();
    if (Text(cache.XML()) != loaded) std::abort();
    return 0;
}

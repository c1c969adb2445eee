#include "tests/support/AddinWorld.h"

#include <cstdlib>
#include <random>

#include "core/AddinClasses.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"
#include "standins/kelo/engine/Log.h"
#include "standins/translator/Translator.h"

namespace ostrellix::testing {

namespace {

std::filesystem::path FreshFolder() {
    std::random_device random;
    auto folder = std::filesystem::temp_directory_path() / ("ostrellix-world-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    return folder;
}

// The source tree holds the translation folder the add-in looks for beside itself.
std::string ModuleFolder() {
    const char* source = std::getenv("OSTRELLIX_SOURCE_DIR");
    return source ? source : ".";
}

}  // namespace

AddinWorld::AddinWorld(Options options) : folder_(FreshFolder()) {
    standin::system::System::Setup setup;
    setup.configDirectory = folder_ / "config";
    auto clock = std::make_unique<standin::system::ManualClock>(Date::FromParts(2024, 5, 1, 9));
    clock_ = clock.get();
    setup.clock = std::move(clock);
    setup.input = &input_;
    setup.output = &output_;
    system_ = std::make_unique<standin::system::System>(factory_, std::move(setup));
    debugCapture_ = system_->DebugOutput().Written.Connect([this](const std::string& line) { debugLines_.push_back(line); });

    factory_.Register("Brannovika.Translator", [] { return std::make_shared<standin::translator::Translator>(); });
    addin::AddinClasses::Register(factory_, *system_, ModuleFolder());

    standin::kelo::KeloClient::Setup kelo;
    kelo.createDemo = true;
    kelo.application.workingFolder = folder_ / "work";
    kelo.application.language = options.language;
    client_ = std::make_unique<standin::kelo::KeloClient>(factory_, *system_, std::move(kelo));
    user_ = std::make_unique<standin::kelo::SimulatedUser>(*client_, clock_);
    if (options.loadAddin) client_->LoadAddin("KeloOstrellix.Addin");
    if (options.start) client_->Start();
}

AddinWorld::~AddinWorld() {
    IgnoreErrors([&] { client_->Shutdown(); });
    user_.reset();
    client_.reset();
    // The add-in's module state outlives a client; a test leaves none behind.
    IgnoreErrors(addin::Globals::ReleaseCachedObjects);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

Ptr<addin::Addin> AddinWorld::TheAddin() { return addin::Globals::Addin(); }

bool AddinWorld::Logged(std::string_view text) const {
    for (const std::string& line : debugLines_) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

std::vector<std::string> AddinWorld::KeloLog() {
    std::vector<std::string> lines;
    const auto log = As<standin::kelo::Log>(Kelo().Log());
    for (const auto& entry : log->Entries()) {
        lines.push_back(std::to_string(entry.type) + "|" + entry.location + "|" + entry.code + "|" + entry.message);
    }
    return lines;
}

}  // namespace ostrellix::testing

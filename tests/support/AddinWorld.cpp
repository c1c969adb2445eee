#include "tests/support/AddinWorld.h"

#include <random>

#include "core/Globals.h"
#include "standins/kelo/engine/Log.h"
#include "tests/support/SourceTree.h"

namespace ostrellix::testing {

namespace {

std::filesystem::path FreshFolder() {
    std::random_device random;
    auto folder = std::filesystem::temp_directory_path() / ("ostrellix-world-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

AddinWorld::AddinWorld(Options options) : folder_(FreshFolder()) {
    host::Machine::Setup setup;
    setup.configDirectory = folder_ / "config";
    setup.workingFolder = folder_ / "work";
    // The source tree holds the translation folder the add-in looks for beside itself.
    setup.moduleFolder = SourceTree().string();
    setup.language = options.language;
    setup.demoDocumentClass = options.documentClass;
    setup.keloAddressList = options.keloAddressList;
    setup.input = &input_;
    setup.output = &output_;
    machine_ = std::make_unique<host::Machine>(std::move(setup));
    debugCapture_ =
        machine_->System().DebugOutput().Written.Connect([this](const std::string& line) { debugLines_.push_back(line); });
    if (options.outlookRunning) machine_->StartOutlook();
    if (options.loadAddin) machine_->LoadAddin();
    if (options.start) machine_->StartClient();
}

AddinWorld::~AddinWorld() {
    machine_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

Ptr<addin::Addin> AddinWorld::TheAddin() { return addin::Globals::Addin(); }

bool AddinWorld::Logged(std::string_view text) const { return TimesLogged(text) > 0; }

std::size_t AddinWorld::TimesLogged(std::string_view text) const {
    std::size_t times = 0;
    for (const std::string& line : debugLines_) times += line.find(text) != std::string::npos;
    return times;
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

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "apps/ostrellix/Host.h"
#include "apps/ostrellix/Workspace.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/SourceTree.h"

namespace ostrellix::host {

// The host program in-process on a workspace of the test's own, printing
// into `out`.
class HostFixture : public ::testing::Test {
protected:
    // A new host on the same workspace; `out` starts empty again.
    std::unique_ptr<Host> NewHost(bool outlookRunning = false) {
        return std::make_unique<Host>(NewSetup(outlookRunning));
    }
    // A new host with the add-in started, as each action of the program has it.
    std::unique_ptr<Host> StartedHost(bool outlookRunning = true) {
        auto host = NewHost(outlookRunning);
        host->Start();
        return host;
    }
    // What NewHost makes the host from, for a test to change first.
    Host::Setup NewSetup(bool outlookRunning = false) {
        out.str("");
        Host::Setup setup{Workspace::Open(folder.Path() / "workspace")};
        setup.output = &out;
        setup.outlookRunning = outlookRunning;
        setup.moduleFolder = testing::SourceTree().string();
        return setup;
    }

    // The objects of JSON lines, as scripts read them.
    static std::vector<nlohmann::json> JsonLines(const std::string& text) {
        std::vector<nlohmann::json> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
        return lines;
    }

    // How often `needle` occurs in `text`.
    static int Occurrences(const std::string& text, const std::string& needle) {
        int count = 0;
        for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
        return count;
    }

    testing::TempDirectory folder;
    std::ostringstream out;
};

}  // namespace ostrellix::host

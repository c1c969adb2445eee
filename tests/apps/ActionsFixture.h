#pragma once

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"
#include "runtime/ErrorHandling.h"
#include "tests/apps/HostFixture.h"
#include "tests/support/FileText.h"

namespace ostrellix::host {

// Runs `ostrellix GROUP ARGS...` in-process on the fixture's workspace, as
// the program does: a fresh host per action, results on `out` (or as JSON
// lines on `json`), the failure's text in `error`, the exit status as the
// program gives it.
class ActionsFixture : public HostFixture {
protected:
    // `prepare` sees the host before the action runs.
    template <class Actions>
    int RunAction(const std::string& group, std::vector<std::string> args, Host::Setup setup,
                  const std::function<void(Host&)>& prepare = {}) {
        CLI::App app;
        ActionGroup actionGroup(app, group, "");
        const Actions actions(actionGroup);
        args.insert(args.begin(), group);
        std::reverse(args.begin(), args.end());
        app.parse(args);
        json.str("");
        if (actionGroup.Json()) setup.json = &json;
        Host host(std::move(setup));
        if (prepare) prepare(host);
        int status = 0;
        error.clear();
        Trap([&] { status = actionGroup.Run(host); },
             [&](const ComError& failure) {
                 error = failure.Description();
                 status = Host::ExitStatus(failure);
             });
        return status;
    }

    using HostFixture::JsonLines;
    std::vector<nlohmann::json> JsonLines() const { return JsonLines(json.str()); }

    // Whether the output holds every text; either way the message shows the output.
    template <class... Texts>
    ::testing::AssertionResult Says(const Texts&... expected) const {
        const std::string text = out.str();
        for (const std::string_view each : {std::string_view(expected)...}) {
            if (text.find(each) == std::string::npos) {
                return ::testing::AssertionFailure() << "no \"" << each << "\" in:\n" << text;
            }
        }
        return ::testing::AssertionSuccess() << "output:\n" << text;
    }
    // Whether the action exits 0; else the message shows its error.
    static ::testing::AssertionResult Ok(int status, const std::string& failure) {
        if (status == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "exit status " << status << ": " << failure;
    }

    // Runs a shell command line with its standard output thrown away: the
    // exit status and what it wrote to standard error.
    std::pair<int, std::string> RunProgram(const std::string& commandLine) {
        const std::string errors = (folder.Path() / "stderr.txt").string();
        const int status = std::system((commandLine + " >/dev/null 2>'" + errors + "'").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::FileText(errors)};
    }

#ifdef OSTRELLIX_PROGRAM
    // The program itself on the fixture's workspace, run from the source tree's root.
    std::pair<int, std::string> RunOstrellix(const std::string& arguments) {
        return RunProgram("cd '" + testing::SourceTree().string() + "' && " + OSTRELLIX_PROGRAM + " --workspace '" +
                          (folder.Path() / "workspace").string() + "' " + arguments);
    }
#endif

    std::ostringstream json;
    std::string error;
};

}  // namespace ostrellix::host

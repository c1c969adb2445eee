#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ostrellix::standin::system {

// The programs that can be started by file name ("Outlook.exe"), each a
// function standing in for the program: it gets the arguments and returns
// the exit code. File names compare without regard to case.
class Programs {
public:
    using Launcher = std::function<std::int32_t(const std::vector<std::string>& arguments)>;

    void Register(std::string_view fileName, Launcher launcher);
    // Starts the program of a command line ("Outlook.exe /recycle", quoted
    // paths allowed); raises 0x80070002 when no such program exists.
    std::int32_t Start(std::string_view commandLine) const;

    static std::vector<std::string> SplitCommandLine(std::string_view commandLine);

private:
    std::map<std::string, Launcher, std::less<>> launchers_;
};

}  // namespace ostrellix::standin::system

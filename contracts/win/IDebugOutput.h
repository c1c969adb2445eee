#pragma once

#include <string_view>

namespace ostrellix::win {

// The process's debugger output (OutputDebugStringA): narrow text lines for
// a debugger or a trace viewer to pick up. Writing never fails.
class IDebugOutput {
public:
    virtual ~IDebugOutput() = default;
    virtual void OutputDebugString(std::string_view text) = 0;
};

}  // namespace ostrellix::win

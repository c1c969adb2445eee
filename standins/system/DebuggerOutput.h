#pragma once

#include <string>
#include <string_view>

#include "contracts/win/IDebugOutput.h"
#include "runtime/Signal.h"

namespace ostrellix::standin::system {

// The debugger output: silent unless the environment variable
// OSTRELLIX_DEBUG_OUTPUT is set to something other than "" or "0", in which
// case every text goes to standard error. Tests connect to Written.
class DebuggerOutput final : public win::IDebugOutput {
public:
    DebuggerOutput();
    void OutputDebugString(std::string_view text) override;

    Signal<const std::string&> Written;

private:
    bool toStandardError_;
};

}  // namespace ostrellix::standin::system

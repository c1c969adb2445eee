#include "standins/system/DebuggerOutput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ostrellix::standin::system {

DebuggerOutput::DebuggerOutput() {
    const char* flag = std::getenv("OSTRELLIX_DEBUG_OUTPUT");
    toStandardError_ = flag && *flag && std::strcmp(flag, "0") != 0;
}

void DebuggerOutput::OutputDebugString(std::string_view text) {
    if (toStandardError_) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }
    Written.Raise(std::string(text));
}

}  // namespace ostrellix::standin::system

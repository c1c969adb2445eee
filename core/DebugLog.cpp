#include "core/DebugLog.h"

#include "core/Tools.h"

namespace ostrellix::addin {

void DebugLog::operator()(std::string_view text) const {
    std::string line(prefix_);
    line += text;
    Tools::WriteLog(line);
}

}  // namespace ostrellix::addin

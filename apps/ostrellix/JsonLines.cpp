#include "apps/ostrellix/JsonLines.h"

#include <ostream>

namespace ostrellix::host {

void JsonLines::Write(const nlohmann::json& object) {
    out_ << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << "\n" << std::flush;
}

}  // namespace ostrellix::host

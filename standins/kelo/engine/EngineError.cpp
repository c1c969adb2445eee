#include "standins/kelo/engine/EngineError.h"

#include "runtime/ComError.h"

namespace ostrellix::standin::kelo {

void RaiseEngineError(std::int32_t number, const std::string& description) {
    throw ComError(number, kEngineSource, description);
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

}  // namespace ostrellix::standin::kelo

#include "standins/kelo/engine/NamePath.h"

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/EngineError.h"

namespace ostrellix::standin::kelo {

std::vector<std::string> SplitNamePath(std::string_view name) {
    std::vector<std::string> parts = text::Split(name, "\\");
    if (parts.empty()) throw ComError(errors::InvalidProcedureCall, kEngineSource, "A property needs a name");
    for (const auto& part : parts) {
        if (part.empty()) {
            throw ComError(errors::InvalidProcedureCall, kEngineSource,
                           "The property name " + Quoted(std::string(name)) + " has an empty part");
        }
    }
    return parts;
}

}  // namespace ostrellix::standin::kelo

#include "standins/mapi/Errors.h"

#include "runtime/ComError.h"

namespace ostrellix::standin::mapi::errors {

void Raise(std::int32_t number, std::string description) { throw ComError(number, kSource, std::move(description)); }

}  // namespace ostrellix::standin::mapi::errors

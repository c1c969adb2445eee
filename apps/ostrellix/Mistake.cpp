#include "apps/ostrellix/Mistake.h"

#include "runtime/ComError.h"

namespace ostrellix::host {

void Mistake(const std::string& what) { throw ComError(errors::InvalidProcedureCall, "ostrellix", what); }

}  // namespace ostrellix::host

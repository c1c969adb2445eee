#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// The client's contact import: given vCard and item XML files under the
// named value "Source" (an array of paths), Run creates person records.
class IContactImport : public virtual Object {
public:
    virtual void SetValue(std::string_view name, const Variant& value) = 0;
    virtual void Run(std::int32_t mode) = 0;
};

}  // namespace ostrellix::kelo

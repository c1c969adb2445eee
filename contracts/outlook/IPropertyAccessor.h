#pragma once

#include <string_view>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::outlook {

// Reads and writes MAPI properties by schema name, kPropTagNamespace
// followed by the tag in eight hexadecimal digits
// (".../proptag/0x0037001F"). A property the object lacks reads as Empty;
// a malformed name raises.
class IPropertyAccessor : public virtual Object {
public:
    virtual Variant GetProperty(std::string_view schemaName) = 0;
    virtual void SetProperty(std::string_view schemaName, const Variant& value) = 0;
};

}  // namespace ostrellix::outlook

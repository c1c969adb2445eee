#include "standins/mapi/MapiObject.h"

#include "standins/mapi/SessionLink.h"

namespace ostrellix::standin::mapi {

Variant MapiObject::Fields(std::uint32_t tag) { return PropertyAccessor()->GetProperty(SessionLink::SchemaName(tag)); }

void MapiObject::SetFields(std::uint32_t tag, const Variant& value) {
    PropertyAccessor()->SetProperty(SessionLink::SchemaName(tag), value);
}

}  // namespace ostrellix::standin::mapi

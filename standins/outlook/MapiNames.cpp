#include "standins/outlook/MapiNames.h"

namespace ostrellix::standin::outlook::mapi {

msg::PropertyName Lid(const Guid& propertySet, std::uint32_t id) { return {propertySet, id}; }

msg::PropertyName UserPropertyName(const std::string& name) { return {msg::PublicStrings(), name}; }

}  // namespace ostrellix::standin::outlook::mapi

#include "standins/mapi/SessionLink.h"

#include <cstdio>

#include "contracts/outlook/Constants.h"
#include "standins/outlook/Instance.h"

namespace ostrellix::standin::mapi {

Ptr<ol::IPropertyAccessor> SessionLink::Accessor(outlook::PropertyAccessor::Reader read,
                                                outlook::PropertyAccessor::Editor edit) const {
    return std::make_shared<outlook::PropertyAccessor>(logon_->Program(), std::move(read), std::move(edit));
}

msg::MessageFileHost SessionLink::FileHost() const { return logon_->Program()->FileHost(); }

std::string SessionLink::SchemaName(std::uint32_t tag) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(tag));
    return std::string(ol::kPropTagNamespace) + digits;
}

}  // namespace ostrellix::standin::mapi

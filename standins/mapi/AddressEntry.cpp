#include "standins/mapi/AddressEntry.h"

#include "runtime/Hex.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/Profile.h"

namespace ostrellix::standin::mapi {

AddressEntry::AddressEntry(Ptr<SessionLink> link, outlook::AddressEntryData data)
    : link_(std::move(link)), data_(std::move(data)) {
    properties_.Set(msg::tag::PR_DISPLAY_NAME, Variant(data_.name));
    properties_.Set(msg::tag::PR_EMAIL_ADDRESS, Variant(data_.address));
    properties_.Set(msg::tag::PR_ADDRTYPE, Variant(data_.type));
    if (!data_.smtpAddress.empty()) properties_.Set(msg::tag::PR_SMTP_ADDRESS, Variant(data_.smtpAddress));
    if (const auto id = HexDecode(data_.entryId)) properties_.Set(names::tag::PR_ENTRYID, Variant(*id));
}

const outlook::AddressEntryData& AddressEntry::Checked() const {
    link_->Profile();
    return data_;
}

Ptr<ol::IPropertyAccessor> AddressEntry::PropertyAccessor() {
    Checked();
    auto self = SelfAs<AddressEntry>();
    return link_->Accessor([self]() -> const msg::PropertyBag& { return self->properties_; });
}

}  // namespace ostrellix::standin::mapi

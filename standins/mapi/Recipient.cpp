#include "standins/mapi/Recipient.h"

#include "standins/mapi/AddressEntry.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/MessageParties.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::mapi {

namespace tag = msg::tag;

const msg::RecipientData& Recipient::Data() {
    if (const auto* recipient = outlook::RecipientTable::Find(state_->Read(), rowId_)) return *recipient;
    errors::Raise(errors::kObjectDeleted, "The recipient has been removed from the message.");
}

msg::RecipientData& Recipient::EditData() {
    Data();
    return *outlook::RecipientTable::Find(state_->Edit(), rowId_);
}

std::string Recipient::Name() { return Data().properties.GetValue(tag::PR_DISPLAY_NAME).ToString(); }

std::string Recipient::Address() { return Data().properties.GetValue(tag::PR_EMAIL_ADDRESS).ToString(); }

std::int32_t Recipient::Type() { return outlook::RecipientTable::Type(Data()); }

void Recipient::SetType(std::int32_t type) {
    if (type < msg::MAPI_TO || type > msg::MAPI_BCC) {
        errors::Raise(errors::kInvalidArgument, "The recipient type " + std::to_string(type) +
                                                    " does not exist (1 To, 2 Cc, 3 Bcc).");
    }
    EditData().properties.Set(tag::PR_RECIPIENT_TYPE, Variant(static_cast<int>(type)));
    outlook::RecipientTable::UpdateDisplayLines(state_->Edit());
}

bool Recipient::Resolved() {
    const msg::PropertyBag& bag = Data().properties;
    return bag.Get(names::tag::PR_ENTRYID).has_value() ||
           (!bag.GetValue(tag::PR_ADDRTYPE).ToString().empty() && !bag.GetValue(tag::PR_EMAIL_ADDRESS).ToString().empty());
}

bool Recipient::Resolve(bool /*showDialog: the library resolves without one*/) {
    outlook::AddressBook& book = state_->Link()->Profile().Book();
    std::optional<outlook::AddressEntryData> entry = book.Resolve(Name());
    if (!entry && !Address().empty()) entry = book.Resolve(Address());
    if (!entry) return Resolved();
    outlook::AddressBook::FillRecipient(EditData().properties, *entry);
    outlook::RecipientTable::UpdateDisplayLines(state_->Edit());
    return true;
}

Ptr<api::IAddressEntry> Recipient::AddressEntry() {
    const auto entry = MessageParties::OfRecipient(Data().properties, state_->Link()->Profile().Book());
    if (!entry) return nullptr;
    return std::make_shared<mapi::AddressEntry>(state_->Link(), *entry);
}

Ptr<ol::IPropertyAccessor> Recipient::PropertyAccessor() {
    Data();
    auto self = SelfAs<Recipient>();
    return state_->Link()->Accessor([self]() -> const msg::PropertyBag& { return self->Data().properties; },
                                    [self]() -> msg::PropertyBag& { return self->EditData().properties; });
}

}  // namespace ostrellix::standin::mapi

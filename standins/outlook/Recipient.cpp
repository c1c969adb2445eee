#include "standins/outlook/Recipient.h"

#include "standins/message/PropertyTag.h"
#include "standins/outlook/AddressEntry.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/PropertyAccessor.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::outlook {

namespace tag = msg::tag;

Recipient::Recipient(Ptr<Item> item, std::int32_t rowId)
    : InstanceBound(item->Outlook().shared_from_this()), item_(std::move(item)), rowId_(rowId) {}

Recipient::Recipient(Ptr<Instance> instance, msg::RecipientData alone)
    : InstanceBound(std::move(instance)), alone_(std::move(alone)) {}

const msg::RecipientData& Recipient::Data() {
    Live();
    if (!item_) return alone_;
    if (const msg::RecipientData* recipient = RecipientTable::Find(item_->Read(), rowId_)) return *recipient;
    errors::Raise(errors::kNotFound, "The recipient has been removed from the item.");
}

msg::RecipientData& Recipient::EditData() {
    Data();
    if (!item_) return alone_;
    return *RecipientTable::Find(item_->Edit(), rowId_);
}

std::string Recipient::Name() { return Data().properties.GetValue(tag::PR_DISPLAY_NAME).ToString(); }

std::string Recipient::Address() {
    return Resolved() ? Data().properties.GetValue(tag::PR_EMAIL_ADDRESS).ToString() : std::string();
}

std::int32_t Recipient::Type() { return RecipientTable::Type(Data()); }

void Recipient::SetType(std::int32_t type) {
    if (type < ol::olTo || type > ol::olBCC) {
        errors::Raise(errors::kInvalidArgument, "The recipient type " + std::to_string(type) + " does not exist.");
    }
    EditData().properties.Set(tag::PR_RECIPIENT_TYPE, Variant(static_cast<int>(type)));
    if (item_) RecipientTable::UpdateDisplayLines(item_->Edit());
}

bool Recipient::Resolved() { return AddressBook::FromRecipient(Data().properties).has_value(); }

bool Recipient::Resolve() {
    const std::optional<AddressEntryData> entry = Live().Book().Resolve(Name());
    if (!entry) return false;
    AddressBook::FillRecipient(EditData().properties, *entry);
    if (item_) RecipientTable::UpdateDisplayLines(item_->Edit());
    return true;
}

Ptr<ol::IAddressEntry> Recipient::AddressEntry() {
    const std::optional<AddressEntryData> entry = AddressBook::FromRecipient(Data().properties);
    if (!entry) return nullptr;
    return std::make_shared<outlook::AddressEntry>(SharedOwner(), *entry);
}

Ptr<ol::IPropertyAccessor> Recipient::PropertyAccessor() {
    Data();
    auto self = SelfAs<Recipient>();
    return std::make_shared<outlook::PropertyAccessor>(
        SharedOwner(), [self]() -> const msg::PropertyBag& { return self->Data().properties; },
        [self]() -> msg::PropertyBag& { return self->EditData().properties; });
}

}  // namespace ostrellix::standin::outlook

#include "standins/mapi/Recipients.h"

#include "runtime/Text.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/Recipient.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/AddressBook.h"
#include "standins/outlook/OneOffEntryId.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::mapi {

Ptr<api::IRecipient> Recipients::Add(std::string_view name) {
    return std::make_shared<Recipient>(state_, outlook::RecipientTable::Add(state_->Edit(), name, msg::MAPI_TO));
}

void Recipients::CheckType(std::int32_t type) {
    if (type < msg::MAPI_TO || type > msg::MAPI_BCC) {
        errors::Raise(errors::kInvalidArgument, "The recipient type " + std::to_string(type) +
                                                    " does not exist (1 To, 2 Cc, 3 Bcc).");
    }
}

Ptr<api::IRecipient> Recipients::AddEx(std::string_view name, std::string_view address, std::string_view addressType,
                                       std::int32_t type) {
    CheckType(type);
    const bool smtp = text::EqualsIgnoreCase(addressType, "SMTP");
    const outlook::AddressEntryData entry{outlook::OneOffEntryId::Make(name, addressType, address), std::string(name),
                                          std::string(address), std::string(addressType),
                                          smtp ? std::string(address) : std::string()};
    msg::MessageData& message = state_->Edit();
    const std::int32_t rowId = outlook::RecipientTable::Add(message, name, type);
    outlook::AddressBook::FillRecipient(outlook::RecipientTable::Find(message, rowId)->properties, entry);
    outlook::RecipientTable::UpdateDisplayLines(message);
    return std::make_shared<Recipient>(state_, rowId);
}

void Recipients::AddMultiple(const std::vector<std::string>& names, std::int32_t type) {
    CheckType(type);
    msg::MessageData& message = state_->Edit();
    for (const std::string& name : names) outlook::RecipientTable::Add(message, name, type);
}

std::int32_t Recipients::Count() { return static_cast<std::int32_t>(state_->Read().recipients.size()); }

std::size_t Recipients::Position(std::int32_t index) {
    if (index < 1 || index > Count()) {
        errors::Raise(errors::kInvalidArgument, "There is no recipient " + std::to_string(index) + ".");
    }
    return static_cast<std::size_t>(index - 1);
}

Ptr<api::IRecipient> Recipients::Item(std::int32_t index) {
    const std::size_t position = Position(index);
    return std::make_shared<Recipient>(state_, outlook::RecipientTable::RowId(state_->Read().recipients[position]));
}

void Recipients::Remove(std::int32_t index) {
    const std::size_t position = Position(index);
    msg::MessageData& message = state_->Edit();
    message.recipients.erase(message.recipients.begin() + static_cast<std::ptrdiff_t>(position));
    outlook::RecipientTable::UpdateDisplayLines(message);
}

bool Recipients::ResolveAll(bool showDialog) {
    bool all = true;
    for (const msg::RecipientData& recipient : std::vector<msg::RecipientData>(state_->Read().recipients)) {
        Recipient one(state_, outlook::RecipientTable::RowId(recipient));
        all = (one.Resolved() || one.Resolve(showDialog)) && all;
    }
    return all;
}

}  // namespace ostrellix::standin::mapi

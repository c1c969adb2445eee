#include "standins/outlook/Recipients.h"

#include "contracts/outlook/Constants.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/Recipient.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::outlook {

Ptr<ol::IRecipient> Recipients::Add(std::string_view name) {
    const std::int32_t rowId = RecipientTable::Add(item_->Edit(), name, ol::olTo);
    return std::make_shared<Recipient>(item_, rowId);
}

std::int32_t Recipients::Count() { return static_cast<std::int32_t>(item_->Read().recipients.size()); }

std::size_t Recipients::Position(std::int32_t index) {
    if (index < 1 || index > Count()) errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    return static_cast<std::size_t>(index - 1);
}

Ptr<ol::IRecipient> Recipients::Item(std::int32_t index) {
    const std::size_t position = Position(index);
    return std::make_shared<Recipient>(item_, RecipientTable::RowId(item_->Read().recipients[position]));
}

void Recipients::Remove(std::int32_t index) {
    const std::size_t position = Position(index);
    msg::MessageData& message = item_->Edit();
    message.recipients.erase(message.recipients.begin() + static_cast<std::ptrdiff_t>(position));
    RecipientTable::UpdateDisplayLines(message);
}

bool Recipients::ResolveAll() {
    bool all = true;
    for (const msg::RecipientData& recipient : std::vector<msg::RecipientData>(item_->Read().recipients)) {
        Recipient one(item_, RecipientTable::RowId(recipient));
        all = (one.Resolved() || one.Resolve()) && all;
    }
    return all;
}

}  // namespace ostrellix::standin::outlook

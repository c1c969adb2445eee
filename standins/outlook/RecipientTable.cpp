#include "standins/outlook/RecipientTable.h"

#include <algorithm>

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiNames.h"

namespace ostrellix::standin::outlook {

std::int32_t RecipientTable::RowId(const msg::RecipientData& recipient) {
    const Variant id = recipient.properties.GetValue(message::tag::PR_ROWID);
    return id.IsEmpty() ? 0 : id.ToLong();
}

std::int32_t RecipientTable::Type(const msg::RecipientData& recipient) {
    const Variant type = recipient.properties.GetValue(msg::tag::PR_RECIPIENT_TYPE);
    return type.IsEmpty() ? ol::olTo : type.ToLong();
}

std::int32_t RecipientTable::Add(msg::MessageData& message, std::string_view name, std::int32_t type) {
    std::int32_t rowId = 0;
    for (const msg::RecipientData& recipient : message.recipients) rowId = std::max(rowId, RowId(recipient));
    ++rowId;
    msg::RecipientData recipient;
    recipient.properties.Set(message::tag::PR_ROWID, Variant(static_cast<int>(rowId)));
    recipient.properties.Set(msg::tag::PR_DISPLAY_NAME, Variant(std::string(name)));
    recipient.properties.Set(msg::tag::PR_RECIPIENT_TYPE, Variant(static_cast<int>(type)));
    message.recipients.push_back(std::move(recipient));
    UpdateDisplayLines(message);
    return rowId;
}

const msg::RecipientData* RecipientTable::Find(const msg::MessageData& message, std::int32_t rowId) {
    for (const msg::RecipientData& recipient : message.recipients) {
        if (RowId(recipient) == rowId) return &recipient;
    }
    return nullptr;
}

msg::RecipientData* RecipientTable::Find(msg::MessageData& message, std::int32_t rowId) {
    return const_cast<msg::RecipientData*>(Find(static_cast<const msg::MessageData&>(message), rowId));
}

void RecipientTable::SetLine(msg::MessageData& message, std::int32_t type, std::string_view names) {
    std::erase_if(message.recipients, [&](const msg::RecipientData& recipient) { return Type(recipient) == type; });
    for (const std::string& name : text::Split(names, ";")) {
        const std::string trimmed = text::Trim(name);
        if (!trimmed.empty()) Add(message, trimmed, type);
    }
    UpdateDisplayLines(message);
}

void RecipientTable::UpdateDisplayLines(msg::MessageData& message) {
    std::string lines[3];
    for (const msg::RecipientData& recipient : message.recipients) {
        const std::int32_t type = Type(recipient);
        if (type < ol::olTo || type > ol::olBCC) continue;
        std::string& line = lines[type - 1];
        if (!line.empty()) line += "; ";
        line += recipient.properties.GetValue(msg::tag::PR_DISPLAY_NAME).ToString();
    }
    const std::uint32_t tags[3] = {msg::tag::PR_DISPLAY_TO, msg::tag::PR_DISPLAY_CC, msg::tag::PR_DISPLAY_BCC};
    for (int i = 0; i < 3; ++i) message.properties.Set(tags[i], Variant(lines[i]));
}

}  // namespace ostrellix::standin::outlook

#pragma once

#include <cstdint>
#include <string_view>

#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

// The recipient rows of a message. Each row carries PR_ROWID, which tells
// it apart while others are added and removed; PR_DISPLAY_TO, _CC and _BCC
// of the message list the names of each type, joined with "; ".
class RecipientTable {
public:
    // Adds an unresolved recipient; returns its row id.
    static std::int32_t Add(msg::MessageData& message, std::string_view name, std::int32_t type);
    // Nothing when no row has that id.
    static msg::RecipientData* Find(msg::MessageData& message, std::int32_t rowId);
    static const msg::RecipientData* Find(const msg::MessageData& message, std::int32_t rowId);
    static std::int32_t RowId(const msg::RecipientData& recipient);
    static std::int32_t Type(const msg::RecipientData& recipient);
    // Replaces the recipients of one type by unresolved ones named in the
    // text (names separated by ";").
    static void SetLine(msg::MessageData& message, std::int32_t type, std::string_view names);
    static void UpdateDisplayLines(msg::MessageData& message);
};

}  // namespace ostrellix::standin::outlook

#include "compose/RecipientLines.h"

#include "contracts/kelo/IRecipients.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

RecipientLines::RecipientLines(const Variant& recipients) {
    if (recipients.IsEmpty()) return;
    given_ = true;
    std::string& to = lines_[0];
    if (recipients.IsArray()) {
        for (const Variant& entry : recipients.ToArray()) Append(to, text::Trim(entry.ToString()));
        return;
    }
    if (!recipients.IsObject()) {
        to = text::Trim(recipients.ToString());
        return;
    }
    const ObjectPtr object = recipients.ToObject();
    if (const auto recipient = As<kelo::IRecipient>(object)) {
        const std::int32_t type = recipient->Type();
        if (IsLineType(type)) lines_[static_cast<std::size_t>(type - 1)] = recipient->Address();
    } else if (const auto collection = As<kelo::IRecipients>(object)) {
        for (std::int32_t i = 1; i <= collection->Count(); ++i) {
            const auto member = collection->Item(i);
            const std::int32_t type = member->Type();
            if (IsLineType(type)) Append(lines_[static_cast<std::size_t>(type - 1)], text::Trim(member->Address()));
        }
    }
}

void RecipientLines::Append(std::string& line, const std::string& address) {
    if (!line.empty()) line += "; ";
    line += address;
}

}  // namespace ostrellix::addin

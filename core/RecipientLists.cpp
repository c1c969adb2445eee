#include "core/RecipientLists.h"

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IRecipient.h"
#include "contracts/outlook/IRecipients.h"
#include "runtime/Collection.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

void Append(std::string& line, const std::string& entry) {
    if (!line.empty()) line += "; ";
    line += entry;
}

}  // namespace

RecipientLists::RecipientLists(const Variant& recipients) {
    if (recipients.IsEmpty() || recipients.IsNull()) return;
    if (recipients.IsArray()) {
        for (const Variant& entry : recipients.ToArray()) {
            if (!entry.ToString().empty()) Append(to_, entry.ToString());
        }
        return;
    }
    if (!recipients.IsObject()) {
        to_ = text::Trim(recipients.ToString());
        return;
    }
    const ObjectPtr object = recipients.ToObject();
    if (const auto list = As<outlook::IRecipients>(object)) {
        for (std::int32_t i = 1; i <= list->Count(); ++i) AddRecipient(list->Item(i));
    } else if (const auto collection = As<Collection>(object)) {
        for (std::int32_t i = 1; i <= collection->Count(); ++i) AddRecipient(collection->Item(i).ToObject());
    } else {
        AddRecipient(object);
    }
}

void RecipientLists::AddRecipient(const ObjectPtr& object) {
    const auto recipient = Cast<outlook::IRecipient>(object);
    const std::string address = text::Trim(recipient->Address());
    switch (recipient->Type()) {
        case outlook::olTo: Append(to_, address); break;
        case outlook::olCC: Append(cc_, address); break;
        case outlook::olBCC: Append(bcc_, address); break;
        default: break;
    }
}

}  // namespace ostrellix::addin

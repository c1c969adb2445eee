#include "ui/PersonChoice.h"

#include "contracts/mapi/IAddressBook.h"
#include "contracts/mapi/IAddressEntry.h"
#include "contracts/outlook/IAddressEntry.h"
#include "contracts/outlook/IRecipient.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

void PersonChoice::Load(const std::string& entryId) {
    if (!entryId.empty()) {
        // An entry the address book no longer has shows no name.
        IgnoreErrors([&] {
            const auto entry = Globals::Redemption()->GetAddressEntryFromID(entryId);
            form_.Ctrl(textBox_).value = Variant(Must(entry).Name());
            entryId_ = entry->EntryID();
        });
    }
    form_.Ctrl(useBox_).value = Variant(static_cast<std::int16_t>(entryId.empty() ? 0 : 1));
    EnableByBox();
}

void PersonChoice::EnableByBox() {
    const bool use = form_.Ctrl(useBox_).value.ToLong() != 0;
    form_.Ctrl(textBox_).enabled = use;
    form_.Ctrl(pickButton_).enabled = use;
}

void PersonChoice::Pick() {
    const auto picked = Globals::Addin()->PickOutlookRecipient();
    if (!picked) return;
    form_.Ctrl(textBox_).value = Variant(picked->Name());
    entryId_ = Must(picked->AddressEntry()).ID();
}

std::optional<std::string> PersonChoice::Chosen() {
    if (form_.Ctrl(useBox_).value.ToLong() == 0) return std::string();
    if (!entryId_.empty()) return entryId_;
    const std::string typed = form_.Ctrl(textBox_).value.ToString();
    if (typed.empty()) return std::string();
    const auto entry = Globals::Redemption()->AddressBook()->ResolveName(typed);
    if (!entry) return std::nullopt;
    return entry->EntryID();
}

}  // namespace ostrellix::addin

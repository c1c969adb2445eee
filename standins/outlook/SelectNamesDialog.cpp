#include "standins/outlook/SelectNamesDialog.h"

#include "contracts/outlook/Constants.h"
#include "standins/outlook/AddressList.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/RecipientTable.h"
#include "standins/outlook/Recipients.h"

namespace ostrellix::standin::outlook {

SelectNamesDialog::SelectNamesDialog(Ptr<Instance> instance)
    : InstanceBound(std::move(instance)),
      initialList_(AddressBook::kGlobalList),
      selectors_(ol::olShowToCcBcc),
      mode_(ol::olDefaultMail) {
    Instance& outlook = Live();
    picks_ = outlook.NewItem(ol::olMailItem, outlook.Store().DefaultFolder(outlook.Mailbox(), ol::olFolderDrafts).entryId);
}

void SelectNamesDialog::SetInitialAddressList(const Ptr<ol::IAddressList>& list) {
    Live();
    const auto ours = As<AddressList>(list);
    if (!ours) errors::Raise(errors::kInvalidArgument, "The initial list must be an address list of this Outlook.");
    initialList_ = ours->ListName();
}

void SelectNamesDialog::SetShowOnlyInitialAddressList(bool only) {
    Live();
    onlyInitial_ = only;
}

void SelectNamesDialog::SetAllowMultipleSelection(bool allow) {
    Live();
    multiple_ = allow;
}

void SelectNamesDialog::SetNumberOfRecipientSelectors(std::int32_t selectors) {
    Live();
    if (selectors < ol::olShowNone || selectors > ol::olShowToCcBcc) {
        errors::Raise(errors::kInvalidArgument, "There is no selector setting " + std::to_string(selectors) + ".");
    }
    selectors_ = selectors;
}

void SelectNamesDialog::SetDefaultDisplayMode(std::int32_t mode) {
    Live();
    mode_ = mode;
    if (mode == ol::olDefaultSingleName) {
        selectors_ = ol::olShowTo;
        multiple_ = false;
    }
}

bool SelectNamesDialog::Display() {
    Instance& outlook = Live();
    std::optional<std::vector<NamePick>> picks = outlook.Answers().NextNames();
    if (!picks) return false;
    if (!multiple_ && picks->size() > 1) picks->resize(1);
    msg::MessageData& chosen = picks_->Edit();
    chosen.recipients.clear();
    for (const NamePick& pick : *picks) {
        const std::optional<AddressEntryData> entry =
            outlook.Book().Resolve(pick.name, onlyInitial_ ? initialList_ : std::string());
        if (!entry) {
            errors::Raise(errors::kInvalidArgument,
                          "The user picked \"" + pick.name + "\", which the select-names dialog does not list.");
        }
        const std::int32_t type = selectors_ <= ol::olShowTo ? ol::olTo : std::min(pick.type, selectors_);
        const std::int32_t rowId = RecipientTable::Add(chosen, entry->name, type);
        AddressBook::FillRecipient(RecipientTable::Find(chosen, rowId)->properties, *entry);
    }
    RecipientTable::UpdateDisplayLines(chosen);
    return true;
}

Ptr<ol::IRecipients> SelectNamesDialog::Recipients() {
    Live();
    return std::make_shared<outlook::Recipients>(picks_);
}

}  // namespace ostrellix::standin::outlook

#pragma once

#include <string>

#include "contracts/outlook/ISelectNamesDialog.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

class Item;

// The select-names dialog. The user's choice is the next answer waiting in
// DialogAnswers (no answer: the user cancels). Each name picked is looked
// up in the address book (only in the initial list when the dialog shows
// only that one); a name that is not there raises, since a user can only
// pick what the dialog lists. With one selector, or in single-name mode,
// every pick is a To recipient; without multiple selection only the first
// pick counts.
class SelectNamesDialog final : public ol::ISelectNamesDialog, protected InstanceBound {
public:
    explicit SelectNamesDialog(Ptr<Instance> instance);

    void SetInitialAddressList(const Ptr<ol::IAddressList>& list) override;
    void SetShowOnlyInitialAddressList(bool only) override;
    void SetAllowMultipleSelection(bool allow) override;
    void SetNumberOfRecipientSelectors(std::int32_t selectors) override;
    void SetDefaultDisplayMode(std::int32_t mode) override;
    bool Display() override;
    Ptr<ol::IRecipients> Recipients() override;

private:
    std::string initialList_;
    bool onlyInitial_ = false;
    bool multiple_ = true;
    std::int32_t selectors_;
    std::int32_t mode_;
    Ptr<Item> picks_;  // an unsaved mail that holds the chosen recipients
};

}  // namespace ostrellix::standin::outlook

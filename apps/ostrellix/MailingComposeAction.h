#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"

namespace ostrellix::host {

// `ostrellix kelo mailing-compose`: the add-in's compose dialog of a new
// mailing of a class (the engine's IMessenger_Compose), worked as the
// options say and then OK'd (or cancelled): the three switches set, a
// message started blank or from a template, given a subject and body in
// its Outlook window and ended with Send (or the window's close box), the
// e-mail field chosen from the field menu, a new filter made in the
// client's filter editor, a stored one chosen, or the filter removed. Prints every pop-up menu
// shown, whether the dialog was confirmed and the mailing's settings (the
// messages the user saw are printed as every command's are). The message stays in Outlook's Drafts, where
// `kelo mailing --draft` can send it.
class MailingComposeAction {
public:
    explicit MailingComposeAction(ActionGroup& group);
    MailingComposeAction(const MailingComposeAction&) = delete;
    MailingComposeAction& operator=(const MailingComposeAction&) = delete;

private:
    int Run(Host& host, ActionOutput& output);

    std::string className_;
    std::optional<std::string> template_, subject_, body_, field_, filterStored_;
    std::optional<std::string> oneByOne_, saveOnlyFirst_, ignoreDuplicates_;
    std::vector<std::string> filterNew_;
    bool newMessage_ = false, closeBox_ = false, removeFilter_ = false, cancel_ = false;
};

}  // namespace ostrellix::host

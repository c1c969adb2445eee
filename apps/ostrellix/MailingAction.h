#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"

namespace ostrellix::host {

// `ostrellix kelo mailing`: a mass mailing through the add-in's sending
// engine, as the client's messenger runs it: the engine is given the class
// and the mailing's settings, validates them, opens the records chosen
// (--ids) as recipients and sends in a work dialog. The message is an
// Outlook draft (--draft ENTRYID) or one the user writes first (--subject,
// --body). Prints the recipients, the progress, every mail sent (EntryID,
// recipients, subject, and whether Sent Items keeps it) and the ids not sent.
class MailingAction {
public:
    explicit MailingAction(ActionGroup& group);
    MailingAction(const MailingAction&) = delete;
    MailingAction& operator=(const MailingAction&) = delete;

private:
    int Run(Host& host, ActionOutput& output);
    // The EntryID of --draft, or of a draft the user writes and saves in Outlook.
    std::string Draft(Host& host, ActionOutput& output);

    std::string className_, ids_;
    std::optional<std::string> draft_, subject_, body_;
    bool html_ = false, oneMail_ = false, keepAllSent_ = false, allowDuplicates_ = false, dryRun_ = false;
};

}  // namespace ostrellix::host

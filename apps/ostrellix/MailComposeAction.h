#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"
#include "runtime/Object.h"

namespace ostrellix::host {

// `ostrellix kelo new-mail|reply|reply-all|forward --context CLASS:ID`: a
// mail composed by the add-in from the record window, as the Kelo user asks
// for it. Without composing options, new-mail is the window's Outlook menu
// (recipients from the record); with them it is the add-in's mail builder as
// the client's mail dialog fills it (--to/--cc/--bcc, --subject, --body,
// --html or --rtf FILE, --attach FILE..., --template FILE.msg), shown, sent
// at once (--send) or sent by Display without its display flag
// (--no-display). reply, reply-all and forward answer the mail stored in a
// document record. A shown mail is left to the user, who sends it with
// --press-send (reply and forward: --send); the record window the filing
// may open is saved with --save-windows. Each prints the mail's
// recipients, the record filed once it was sent (subject, person, company)
// or why none was, and what the composing left in Drafts and Sent Items.
class MailComposeAction {
public:
    explicit MailComposeAction(ActionGroup& group);
    MailComposeAction(const MailComposeAction&) = delete;
    MailComposeAction& operator=(const MailComposeAction&) = delete;

private:
    using Command = std::function<void(const ObjectPtr& window)>;

    int NewMail(Host& host, ActionOutput& output);
    int Answer(Host& host, ActionOutput& output, const std::string& verb);
    bool Composing() const;
    void Compose(Host& host, const ObjectPtr& window);
    // Runs the command on the context's window, lets the user send the mail
    // shown (with the option named), lets the filing timer fire and tells the
    // outcome. `unheard`: why a mail the command itself sent is never filed.
    int Run(Host& host, ActionOutput& output, const std::string& sendOption,
            const std::optional<std::string>& unheard, const Command& command);

    std::string context_;
    std::vector<std::string> to_, cc_, bcc_, attachments_;
    std::optional<std::string> subject_, body_, html_, rtfFile_, template_;
    bool send_ = false, noDisplay_ = false, userSends_ = false, saveWindows_ = false;
};

}  // namespace ostrellix::host

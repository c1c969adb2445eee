#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"
#include "apps/ostrellix/BookingAction.h"
#include "apps/ostrellix/DetailMailAction.h"
#include "apps/ostrellix/DocumentAction.h"
#include "apps/ostrellix/MailComposeAction.h"
#include "apps/ostrellix/MailingAction.h"
#include "apps/ostrellix/MailingComposeAction.h"
#include "apps/ostrellix/OptionsDialogAction.h"
#include "apps/ostrellix/PanesAction.h"
#include "apps/ostrellix/StoreFilterAction.h"
#include "standins/kelo/client/MenuCommands.h"

namespace ostrellix::host {

// `ostrellix kelo ACTION`: what the Kelo user does, through the client's
// window menus (MenuCommands), which call the add-in through its host
// interfaces as the client does. `--context CLASS:ID` is the record the
// user has open in a record window:
//   synchronize          Outlook > Synchronize (--partial holds Ctrl)
//   edit                 fields typed into the record window, then saved
//   show-in-outlook      the record's Outlook item, or the offer to export it
//   export               the record, or a list's selection, sent to Outlook
//                        (also send-to-outlook)
//   new-mail, reply, reply-all, forward
//                        a mail composed by the add-in (MailComposeAction)
//   new-appointment, new-meeting,
//   new-task             an Outlook item booked from the record and what
//                        the user does with it (BookingAction)
//   send-links           a mail of links to one or more records
//   send-contacts, please-call, all-details
//                        a mail of record details (DetailMailAction)
//   mailing              a mass mailing of records through the add-in's
//                        sending engine (MailingAction)
//   mailing-compose      the engine's compose dialog of a new mailing
//                        (MailingComposeAction)
//   store-filter         a filter of a class stored under a name
//                        (StoreFilterAction)
//   drop FILE...         message files dropped on the window (as `file`)
//   templates            the mail templates offered for a class (and field)
//   mail-template, new-document, open-document, print-document
//                        mail templates and stored mails (DocumentAction)
//   pick-recipient       "pick from Outlook": one name from Outlook's
//                        address book (--pick NAME, --cancel, or asked on
//                        a terminal; otherwise the dialog is cancelled)
//   panes, panes-dialog  the side panes of Outlook folders and the Panes
//                        dialog (PanesAction)
//   options-dialog       the options dialog's Outlook page and its dialogs
//                        (OptionsDialogAction)
// Each prints the Outlook windows the command left open (a new item shown
// for the user to finish). A failure the add-in raises reaches the user as
// the client shows it: the program prints it and exits 1.
class KeloActions {
public:
    explicit KeloActions(ActionGroup& group);
    KeloActions(const KeloActions&) = delete;
    KeloActions& operator=(const KeloActions&) = delete;

    using Command = std::function<void(standin::kelo::MenuCommands&, const ObjectPtr&)>;
    // Runs a menu command on a window and prints the Outlook windows it opened.
    static void RunCommand(Host& host, ActionOutput& output, const ObjectPtr& window, const Command& command);
    // The record window of --context, or a list window of --selection's
    // class with its records selected; exactly one of them is given.
    static ObjectPtr OpenWindow(Host& host, const std::optional<std::string>& context,
                                const std::optional<std::string>& selection, const std::string& action);

private:
    // An action on the context's record window: --context is required.
    CLI::App& AddOnRecord(ActionGroup& group, const std::string& name, const std::string& description, Command command);
    int Synchronize(Host& host, ActionOutput& output);
    int Edit(Host& host, ActionOutput& output);
    int Export(Host& host, ActionOutput& output);
    int SendLinks(Host& host, ActionOutput& output);
    int Drop(Host& host, ActionOutput& output);
    int Templates(Host& host, ActionOutput& output);
    int PickRecipient(Host& host, ActionOutput& output);

    // What the command line gave.
    std::string context_;
    std::optional<std::string> optionalContext_;
    std::vector<std::string> contexts_;
    std::optional<std::string> records_, selection_;
    std::string subject_, links_ = "desktop", className_;
    std::optional<std::string> field_, pick_;
    std::vector<std::string> to_, cc_, bcc_, files_, settings_;
    bool partial_ = false, cancel_ = false;
    MailComposeAction mail_;
    BookingAction booking_;
    DetailMailAction details_;
    DocumentAction documents_;
    MailingAction mailing_;
    MailingComposeAction compose_;
    StoreFilterAction filters_;
    PanesAction panes_;
    OptionsDialogAction options_;
};

}  // namespace ostrellix::host

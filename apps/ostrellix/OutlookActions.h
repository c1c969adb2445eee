#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"
#include "contracts/outlook/IInspector.h"
#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::host {

// `ostrellix outlook ACTION`: what the Outlook user does, through Outlook's
// windows and object model as the user would, so that the add-in's
// listeners see what they would see:
//   list [FOLDER]       the items of a folder (the Inbox when none)
//   show ENTRYID        one item in full
//   receive             a mail arrives in the Inbox as delivered
//   compose             a new mail, saved in Drafts or sent (--send); a sent
//                       mail is waited for until the add-in filed it in
//                       Kelo, and what it filed is told, or why nothing
//   edit ENTRYID        properties typed into the item's window, saved or not
//   open ENTRYID        the item's window and its buttons; --click one
//   delete ENTRYID      the Delete key: to Deleted Items
//   save-as ENTRYID FILE  File > Save As: a mail as a .msg file
// The Kelo record windows the add-in opens meanwhile are listed and closed,
// saved first with --save-windows.
// Outlook runs before the client starts (the caller sets it so). An
// EntryID that finds no item fails the action (exit 1).
class OutlookActions {
public:
    explicit OutlookActions(ActionGroup& group);
    OutlookActions(const OutlookActions&) = delete;
    OutlookActions& operator=(const OutlookActions&) = delete;

private:
    int List(Host& host, ActionOutput& output);
    int Show(Host& host, ActionOutput& output);
    int Receive(Host& host, ActionOutput& output);
    int Compose(Host& host, ActionOutput& output);
    int Edit(Host& host, ActionOutput& output);
    int Open(Host& host, ActionOutput& output);
    int Delete(Host& host, ActionOutput& output);
    int SaveAs(Host& host, ActionOutput& output);
    void Send(Host& host, standin::outlook::SimulatedUser& user, const Ptr<outlook::IInspector>& window,
              ActionOutput& output);

    // What the command line gave.
    std::string folder_ = "Inbox";
    std::string entryId_;
    std::string file_;
    std::string from_, fromName_, subject_, body_;
    std::vector<std::string> to_, cc_, attachments_, settings_;
    bool send_ = false, save_ = false, saveWindows_ = false;
    std::optional<std::string> click_;
};

}  // namespace ostrellix::host

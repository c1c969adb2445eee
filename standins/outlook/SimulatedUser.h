#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IMailItem.h"
#include "runtime/Variant.h"
#include "standins/outlook/DialogAnswers.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

class Instance;

// Every action is one whole user action: the folder events it causes
// arrive when it has finished (after the window closed, for a save and
// close), as Outlook delivers them from its message loop.
//
// A mail arriving from outside (it is put into the Inbox as delivered).
struct IncomingMail {
    std::string fromName;
    std::string fromAddress;
    std::string subject;
    std::string body;
    std::string htmlBody;               // optional
    std::vector<std::string> to;        // addresses or names; the user when empty
    std::vector<std::string> cc;
    std::vector<std::pair<std::string, Bytes>> attachments;  // file name and content
};

// The person at the keyboard, for tests and the command-line host: does
// what a user does in Outlook's windows, through the same members and
// events as they would trigger, and answers Outlook's dialogs (the answers
// are given beforehand and used in order; a dialog without one is
// cancelled).
class SimulatedUser {
public:
    explicit SimulatedUser(const Ptr<ol::IApplication>& outlook);

    // Windows.
    Ptr<ol::IInspector> Open(const Ptr<ol::IItem>& item);
    // A new item in a window (NewInspector), to be stored in the folder
    // (the default folder of the kind when none is given).
    Ptr<ol::IInspector> OpenNew(std::int32_t itemType, const Ptr<ol::IFolder>& folder = nullptr);
    // "New" in a folder window: a new item of the kind of the folder it
    // shows, to be stored there, in a window.
    Ptr<ol::IInspector> OpenNew(const Ptr<ol::IExplorer>& explorer);
    // Types a value into a field of the item shown, by its Outlook name ("Subject", "To", "Start" ...).
    void Type(const Ptr<ol::IInspector>& inspector, std::string_view field, const Variant& value);
    void Save(const Ptr<ol::IInspector>& inspector);
    // Sends the mail, or the meeting request, shown; the window closes.
    void PressSend(const Ptr<ol::IInspector>& inspector);
    // Closes the window: saveChanges true is "Save & Close"; false answers
    // No to the "save changes?" prompt (the changes are dropped).
    void Close(const Ptr<ol::IInspector>& inspector, bool saveChanges);
    // Clicks the button with that tag on the window's "Standard" bar; raises when there is none.
    void Click(const Ptr<ol::IInspector>& inspector, std::string_view tag);

    Ptr<ol::IExplorer> OpenExplorer(const Ptr<ol::IFolder>& folder);
    // Clicks another folder in the folder window's navigation pane (FolderSwitch).
    void ShowFolder(const Ptr<ol::IExplorer>& explorer, const Ptr<ol::IFolder>& folder);
    // Types a subject straight into the view of the folder window (a free
    // slot of a calendar, the new-task row): an item of the folder's kind
    // is stored there at once, with no window and an empty body.
    Ptr<ol::IItem> TypeIntoView(const Ptr<ol::IExplorer>& explorer, std::string_view subject);
    void Select(const Ptr<ol::IExplorer>& explorer, const std::vector<Ptr<ol::IItem>>& items);
    // Starts a reply (or reply to all, or forward) in the explorer's reading pane.
    enum class Answer { Reply, ReplyAll, Forward };
    Ptr<ol::IMailItem> WriteInline(const Ptr<ol::IExplorer>& explorer, const Ptr<ol::IMailItem>& mail, Answer answer);
    // Deletes an item as the Delete key does: it moves to Deleted Items, or,
    // when it is there already (or was never stored), it is gone for good.
    void Delete(const Ptr<ol::IItem>& item);
    // Drags an item into a folder (it moves there).
    void Drag(const Ptr<ol::IItem>& item, const Ptr<ol::IFolder>& folder);
    // Copies a stored item and pastes it into the same folder: the copy is
    // a new message (its own EntryID, created now) with everything else of
    // the original, user properties and sender included.
    Ptr<ol::IItem> CopyAndPaste(const Ptr<ol::IItem>& item);
    // A colleague who shares the folder stores a new item there: the item,
    // not saved before, is stored with that colleague (an address-book
    // address) as its creator instead of the profile's user.
    void SaveAsColleague(const Ptr<ol::IItem>& item, std::string_view colleagueAddress);

    // Mail.
    Ptr<ol::IMailItem> ComposeAndSend(std::string_view to, std::string_view subject, std::string_view body);
    Ptr<ol::IMailItem> Receive(const IncomingMail& mail);

    // Dialog answers, used by the next dialogs of each kind.
    void WillPickFolder(const Ptr<ol::IFolder>& folder);
    void WillCancelFolderPicker();
    void WillChooseNames(std::vector<NamePick> picks);
    void WillCancelSelectNames();
    void WillAnswerSavePrompt(bool save);

    // What was printed, in order.
    const std::vector<std::string>& Printed() const;

private:
    Ptr<ol::IApplication> outlook_;
    Ptr<Instance> instance_;
};

}  // namespace ostrellix::standin::outlook

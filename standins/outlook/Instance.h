#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "contracts/win/IRunningObjectTable.h"
#include "standins/message/MessageFileHost.h"
#include "standins/outlook/DialogAnswers.h"
#include "standins/outlook/FolderEventQueue.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/Windows.h"

namespace ostrellix::standin::system {
class System;
}

namespace ostrellix::standin::outlook {

class Item;
class MessageFiles;

// One run of Outlook, from its start to Quit: what all its objects share.
// Its profile's store and address book, its windows, the answers waiting
// for its dialogs, and one item object per stored message while anything
// holds it (so that the object an event hands out is the one a window
// shows), and the folder events waiting for the call or user action that
// caused them to finish. Once Outlook has quit, every object of it raises
// the disconnected error.
class Instance : public std::enable_shared_from_this<Instance> {
public:
    Instance(Profile& profile, MessageFiles* files, system::System& system);

    // Raises the disconnected error once Outlook quit; counts the call in the
    // machine's fault switch (by `member`: "Outlook", or "MAPI" for the
    // library's session), which may fail it as a dropped connection.
    void Check(std::string_view member = "Outlook") const;
    bool Running() const { return running_; }

    // A call or user action from outside while it runs (see FolderEventQueue).
    class Call {
    public:
        explicit Call(Ptr<Instance> instance);
        ~Call();
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

    private:
        Ptr<Instance> instance_;
    };
    // Checks that Outlook runs, and enters a call.
    [[nodiscard]] Call Enter();
    FolderEventQueue& FolderEvents() { return folderEvents_; }

    Profile& Settings() { return profile_; }
    MessageStore& Store() { return profile_.Store(); }
    AddressBook& Book() { return profile_.Book(); }
    Transport& Mailer() { return profile_.Mailer(); }
    win::IClock& Clock() { return profile_.Clock(); }
    const MailboxInfo& Mailbox() const { return profile_.Mailbox(); }
    // The message files, or the error saying `member` is not available.
    MessageFiles& Files(const std::string& member);
    // What message files are read and written with on this machine: its
    // ANSI code page as it is now, and its debugger output.
    msg::MessageFileHost FileHost() const;
    Windows& OpenWindows() { return windows_; }
    DialogAnswers& Answers() { return answers_; }

    // The object of a stored message (the one alive, else a new one);
    // nothing when the store has no such message.
    Ptr<Item> ItemFor(std::string_view entryId, std::int64_t rowId = 0);
    // Whether the message's object is alive, so that ItemFor reads nothing.
    bool Holds(std::string_view entryId) const;
    // A new, unsaved item to be stored in the folder.
    Ptr<Item> NewItem(std::int32_t itemType, std::string folderEntryId);
    Ptr<Item> NewItem(msg::MessageData data, std::string folderEntryId);
    void Remember(const std::string& entryId, const Ptr<Item>& item);
    // Forgets the object of a message, when it is `item` (another may have taken its place).
    void Forget(const std::string& entryId, const Item* item);

    // Ends the run: closes the windows (raising their events), then calls
    // onQuit; from then on everything raises the disconnected error.
    void Quit();
    // Ends the run at once, without events (the program goes away).
    void Terminate();
    std::function<void()> onQuit;

private:
    Ptr<Item> Make(std::string folderEntryId, std::string entryId, std::int64_t revision, SharedMessage data);

    Profile& profile_;
    MessageFiles* files_;
    system::System& system_;
    Windows windows_;
    DialogAnswers answers_;
    FolderEventQueue folderEvents_;
    std::unordered_map<std::string, std::weak_ptr<Item>> items_;
    std::size_t pruneAt_ = 64;
    bool running_ = true;
};

}  // namespace ostrellix::standin::outlook

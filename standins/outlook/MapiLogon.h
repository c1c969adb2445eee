#pragma once

#include "runtime/Object.h"
#include "standins/outlook/Profile.h"

namespace ostrellix::standin::outlook {

class Instance;

// Outlook's MAPIOBJECT: the MAPI session of a running Outlook, which the
// MAPI library logs on with to work on the same profile. Session() gives
// the profile: its MessageStore (folders and messages as msg::MessageData,
// by EntryID), AddressBook (entries, name resolution, the current user),
// Transport (sending), CategoryList, the user's Mailbox, and the Clock.
// Once that Outlook has quit, Session() raises the disconnected error, as a
// MAPI session of an Outlook that went away fails.
//
// What either view changes, the other sees: the store raises Changed for
// every change, on which the Outlook object model raises its folders'
// events, and Outlook's item objects read a message again when the store
// changed it and they have no changes of their own.
class MapiLogon final : public Object {
public:
    explicit MapiLogon(Ptr<Instance> instance) : instance_(std::move(instance)) {}

    bool Connected() const;
    Profile& Session() const;
    // The Outlook whose session this is: objects the MAPI library shares
    // with Outlook's object model (PropertyAccessor) are bound to it.
    const Ptr<Instance>& Program() const { return instance_; }

private:
    Ptr<Instance> instance_;
};

}  // namespace ostrellix::standin::outlook

#pragma once

#include <string>

#include "apps/ostrellix/Machine.h"
#include "contracts/outlook/IFolder.h"

namespace ostrellix::host {

// The folder a user names on the command line: a default folder by its
// name (Inbox, Outbox, Sent Items, Drafts, Deleted Items, Calendar,
// Contacts, Tasks; any case), a folder below one ("Inbox\Projects"), or a
// full folder path ("\\Mailbox - Anna Lindqvist\Inbox"). A name that finds
// nothing is the user's mistake (source "ostrellix").
class OutlookFolderName {
public:
    static Ptr<outlook::IFolder> Find(Machine& machine, const std::string& name);
};

}  // namespace ostrellix::host

#pragma once

#include "apps/ostrellix/Host.h"

namespace ostrellix::host {

// `ostrellix demo`: a narrated tour of the add-in on the workspace: the
// client starting with the add-in, Outlook started by the user and found
// by the add-in's timer, the category it brings, its options, mail filed
// by dropping mail files on Kelo windows, and synchronization (which it
// turns on for the Kelo user, with contacts): a person sent to Outlook whose
// contact, changed there, reaches Kelo as it is saved (and is put back),
// two paired to-dos changed, one on each side, each arriving on the other
// as it is saved, and a run after them. The filed mails and the to-dos are
// new on every run; the rest of the database is left as it was, so the
// tour runs the same way again on the same workspace.
class DemoCommand {
public:
    static int Run(Host& host);
};

}  // namespace ostrellix::host

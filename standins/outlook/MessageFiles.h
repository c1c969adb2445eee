#pragma once

#include <string>

#include "standins/message/MessageData.h"
#include "standins/message/MessageFileHost.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

// The message-file formats Outlook reads and writes for some members:
// CreateItemFromTemplate and embedding a ".msg" file read one, SaveAs and
// saving an embedded item write one, ForwardAsVcard and AddBusinessCard
// need a contact's vCard. The host hands an implementation to the program
// (OutlookProgram); without one those members raise error 438 saying they
// are not available in this build.
class MessageFiles {
public:
    virtual ~MessageFiles() = default;
    // Raise, naming the file, when it cannot be read or written. `host` is
    // the machine's (Instance::FileHost).
    virtual msg::MessageData ReadMsg(const std::string& path, const msg::MessageFileHost& host) = 0;
    virtual void WriteMsg(const msg::MessageData& message, const std::string& path,
                          const msg::MessageFileHost& host) = 0;
    // The vCard text of a contact.
    virtual std::string ContactVcard(const msg::MessageData& contact) = 0;
};

}  // namespace ostrellix::standin::outlook

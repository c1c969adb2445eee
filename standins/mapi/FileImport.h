#pragma once

#include <cstdint>
#include <filesystem>

#include "standins/mapi/Names.h"
#include "standins/message/MessageData.h"
#include "standins/message/MessageFileHost.h"
#include "standins/outlook/AddressBook.h"

namespace ostrellix::standin::mapi {

// Reads the message of a file for the store: an Outlook message file
// (olMSG) or an Internet message (olRFC822, olRFC822Alt); format 0 tells
// them apart by content (a compound file is a message file, anything else
// is read as MIME). The message comes in the form the store keeps:
// recipients and attachments numbered, the HTML body as text. A file that
// cannot be read, or a format that is not one of those, raises an error
// that names the file. `host` is the machine's (SessionLink::FileHost).
class FileImport {
public:
    static constexpr std::int32_t kByContent = 0;

    static msg::MessageData Read(const std::filesystem::path& path, std::int32_t format,
                                 const msg::MessageFileHost& host);
    static msg::MessageData ReadMsg(const std::filesystem::path& path, const msg::MessageFileHost& host);
    // A mail stored from a file in the mailbox of `owner` reached the owner
    // when the owner is among its recipients and did not send it: it gets
    // the marks delivery gives (addressed To or Cc the owner, received by
    // the owner), so that it reads as received mail and not as sent mail.
    // A file that brings any of those marks keeps its own.
    static void MarkReceived(msg::MessageData& message, const outlook::AddressEntryData& owner);
};

}  // namespace ostrellix::standin::mapi

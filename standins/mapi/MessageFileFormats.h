#pragma once

#include "standins/mapi/Names.h"
#include "standins/outlook/MessageFiles.h"

namespace ostrellix::standin::mapi {

// The message files Outlook reads and writes, for the Outlook program to
// use (CreateItemFromTemplate, MailItem.SaveAs, embedding a message file,
// saving an embedded item, ForwardAsVcard, AddBusinessCard): message files
// read and written as this library does, vCards from stored contacts.
class MessageFileFormats final : public outlook::MessageFiles {
public:
    msg::MessageData ReadMsg(const std::string& path, const msg::MessageFileHost& host) override;
    void WriteMsg(const msg::MessageData& message, const std::string& path, const msg::MessageFileHost& host) override;
    std::string ContactVcard(const msg::MessageData& contact) override;
};

}  // namespace ostrellix::standin::mapi

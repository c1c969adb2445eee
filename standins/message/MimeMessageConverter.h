#pragma once

#include <gmime/gmime.h>

#include <string>

#include "standins/message/MessageData.h"
#include "standins/message/MessageFileLimits.h"

namespace ostrellix::standin::message {

// Turns a message parsed by gmime into a MAPI message as Outlook imports
// one: "IPM.Note", sender and sent-representing from From (and Sender),
// recipients with their types, submit and delivery times, the plain body
// (CRLF lines) and the HTML body (UTF-8 bytes in PR_HTML, with
// PR_INTERNET_CPID 65001), attachments by value and attached messages as
// embedded messages. Faults throw FormatError.
class MimeMessageConverter {
public:
    explicit MimeMessageConverter(const MessageFileLimits& limits) : limits_(limits) {}

    MessageData Convert(GMimeMessage* message, int depth) const;

private:
    struct Content;
    void Walk(GMimeObject* object, int depth, int nesting, Content& content) const;
    void AddPart(GMimePart* part, Content& content) const;
    void AddAddresses(InternetAddressList* list, std::int32_t type, MessageData& message, int depth) const;

    const MessageFileLimits& limits_;
};

}  // namespace ostrellix::standin::message

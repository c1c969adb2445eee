#pragma once

#include <string>

#include "standins/message/MessageData.h"
#include "standins/outlook/AddressBook.h"

namespace ostrellix::standin::outlook {

// A reply, reply to all or forward of a mail, as Outlook makes it: the
// subject with "RE: " or "FW: " (once), the original quoted under its
// header, the sender addressed (reply), and the other recipients but the
// user and blind copies (reply to all), or the attachments (forward).
// Outlook's mail items and the MAPI library's messages answer alike.
class MailAnswer {
public:
    enum class Verb { Reply, ReplyAll, Forward };

    // The original as the answer quotes it: its stored form and the texts
    // Outlook shows of it.
    struct Original {
        const msg::MessageData& data;
        std::string senderName;
        std::string senderAddress;
        std::string sentOn;  // "" when not sent
        std::string to;
        std::string body;
        std::string html;
    };

    // Fills a new mail's data with the answer.
    static void Fill(msg::MessageData& answer, const Original& original, Verb verb, AddressBook& book);
};

}  // namespace ostrellix::standin::outlook

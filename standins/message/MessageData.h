#pragma once

#include <memory>
#include <vector>

#include "standins/message/PropertyBag.h"

namespace ostrellix::standin::message {

struct MessageData;

// A recipient: PR_DISPLAY_NAME, PR_EMAIL_ADDRESS, PR_ADDRTYPE,
// PR_RECIPIENT_TYPE, PR_SMTP_ADDRESS ...
struct RecipientData {
    PropertyBag properties;
    friend bool operator==(const RecipientData&, const RecipientData&) = default;
};

// An attachment: PR_ATTACH_METHOD 1 with PR_ATTACH_DATA_BIN for a file, 5
// with `embedded` for a message inside.
struct AttachmentData {
    PropertyBag properties;
    std::shared_ptr<MessageData> embedded;
    friend bool operator==(const AttachmentData& a, const AttachmentData& b);
};

// One message as MAPI holds it: the form that the Outlook store keeps, the
// MAPI library shows, and message files are read into and written from.
struct MessageData {
    PropertyBag properties;
    std::vector<RecipientData> recipients;
    std::vector<AttachmentData> attachments;
    friend bool operator==(const MessageData&, const MessageData&) = default;
};

inline bool operator==(const AttachmentData& a, const AttachmentData& b) {
    if (!(a.properties == b.properties)) return false;
    if (!a.embedded || !b.embedded) return !a.embedded && !b.embedded;
    return *a.embedded == *b.embedded;
}

}  // namespace ostrellix::standin::message

#pragma once

#include "standins/mapi/Names.h"
#include "standins/message/ContactCard.h"
#include "standins/message/MessageData.h"

namespace ostrellix::standin::mapi {

// A stored contact as a business card: each field from the property
// Outlook keeps it in (the store's mapping of Outlook's names), the notes
// from the body, the picture from the attachment marked as the contact's
// photo. The store keeps each postal address as one text, so the card
// carries it whole as the street part rather than guess at its parts.
class ContactCardMapping {
public:
    static msg::ContactCard FromContact(const msg::MessageData& contact);
};

}  // namespace ostrellix::standin::mapi

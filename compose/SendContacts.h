#pragma once

#include "compose/DetailMail.h"

namespace ostrellix::addin {

// A new mail carrying the records of the context as business cards
// ("KeloOstrellix.SendContacts"): each record made into an Outlook
// contact, never saved, whose card is attached. Subject and body are left
// to the user.
class SendContacts : public DetailMail {
public:
    SendContacts();

    // The recipient goes to the work dialog only: the mail is shown without recipients.
    void SendContactsFromContext(const Ptr<kelo::IApplication>& application, std::string_view recipient,
                                 const ObjectPtr& context);

private:
    void AddRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IMailItem>& mail) override;
    void Finish(const Ptr<outlook::IMailItem>& mail, std::int32_t count, bool fromRecordWindow) override;
};

}  // namespace ostrellix::addin

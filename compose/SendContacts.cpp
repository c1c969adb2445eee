#include "compose/SendContacts.h"

namespace ostrellix::addin {

SendContacts::SendContacts() : DetailMail({.caption = "PreparingContacts", .text = {}, .trap = {}}) {}

void SendContacts::SendContactsFromContext(const Ptr<kelo::IApplication>& application, std::string_view recipient,
                                           const ObjectPtr& context) {
    FromContext(application, recipient, context);
}

void SendContacts::AddRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IMailItem>& mail) {
    AddBusinessCard(mail, record);
}

void SendContacts::Finish(const Ptr<outlook::IMailItem>& /*mail*/, std::int32_t /*count*/,
                          bool /*fromRecordWindow*/) {}

}  // namespace ostrellix::addin

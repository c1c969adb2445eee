#include "standins/outlook/MailAnswer.h"

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/BodyText.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::outlook {

namespace {

namespace tag = msg::tag;
namespace ol = ostrellix::outlook;

std::string WithPrefix(const std::string& prefix, const std::string& subject) {
    return text::EqualsIgnoreCase(text::Left(subject, text::Len(prefix)), prefix) ? subject : prefix + subject;
}

}  // namespace

void MailAnswer::Fill(msg::MessageData& data, const Original& original, Verb verb, AddressBook& book) {
    const msg::PropertyBag& bag = original.data.properties;
    const std::string subject = bag.GetValue(tag::PR_SUBJECT).ToString();
    data.properties.Set(tag::PR_SUBJECT, Variant(WithPrefix(verb == Verb::Forward ? "FW: " : "RE: ", subject)));
    const std::string header = "-----Original Message-----\r\nFrom: " + original.senderName + "\r\nSent: " +
                               original.sentOn + "\r\nTo: " + original.to + "\r\nSubject: " + subject + "\r\n\r\n";
    data.properties.Set(tag::PR_BODY, Variant("\r\n\r\n" + header + original.body));
    data.properties.Set(tag::PR_BODY_HTML, Variant(BodyText::ToHtml("\r\n\r\n" + header) + "<blockquote>" +
                                                   original.html + "</blockquote>"));

    const AddressEntryData user = book.CurrentUser();
    auto isUser = [&](const msg::PropertyBag& recipient) {
        return text::EqualsIgnoreCase(recipient.GetValue(tag::PR_SMTP_ADDRESS).ToString(), user.smtpAddress) ||
               text::EqualsIgnoreCase(recipient.GetValue(tag::PR_EMAIL_ADDRESS).ToString(), user.address);
    };
    auto addResolved = [&](const AddressEntryData& entry, std::int32_t type) {
        const std::int32_t rowId = RecipientTable::Add(data, entry.name, type);
        AddressBook::FillRecipient(RecipientTable::Find(data, rowId)->properties, entry);
    };
    if (verb != Verb::Forward && !original.senderAddress.empty()) {
        addResolved(book.FindByAddress(original.senderAddress)
                        .value_or(AddressBook::OneOff(original.senderName, original.senderAddress)),
                    ol::olTo);
    }
    if (verb == Verb::ReplyAll) {
        for (const msg::RecipientData& recipient : original.data.recipients) {
            const std::int32_t type = RecipientTable::Type(recipient);
            const auto entry = AddressBook::FromRecipient(recipient.properties);
            if (type == ol::olBCC || !entry || isUser(recipient.properties)) continue;
            addResolved(*entry, type);
        }
    }
    if (verb == Verb::Forward) data.attachments = original.data.attachments;
    RecipientTable::UpdateDisplayLines(data);
}

}  // namespace ostrellix::standin::outlook

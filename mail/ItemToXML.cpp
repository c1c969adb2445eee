#include "mail/ItemToXML.h"

#include <cstdio>

#include "contracts/mapi/ISafeMailItem.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IItem.h"
#include "core/Globals.h"
#include "mail/XmlDataTypes.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

struct PropertyRow {
    const char* name;
    std::uint32_t tag;
};

// Every object is asked for these, in this order.
constexpr PropertyRow kProperties[] = {
    {"PR_MESSAGE_CLASS", 0x001A001F},
    {"PR_DISPLAY_NAME", 0x3001001F},
    {"PR_SUBJECT", 0x0037001F},
    {"PR_TITLE", 0x3A17001E},
    {"PR_NICKNAME", 0x3A4F001E},
    {"PR_SENDER_NAME", 0x0C1A001F},
    {"PR_SENDER_ADDRTYPE", 0x0C1E001F},
    {"PR_SENDER_EMAIL_ADDRESS", 0x0C1F001F},
    {"PR_EMAIL", 0x39FE001E},
    {"PR_EMAIL_ADDRESS", 0x3003001F},
    {"PR_EMAIL1_ADDRESS", 0x805A001F},
    {"PR_EMAIL2_ADDRESS", 0x805B001F},
    {"PR_BODY", 0x1000001F},
    {"PR_BODY_HTML", 0x1013001F},
    {"PR_COMPANY_NAME", 0x3A16001E},
    {"PR_BUSINESS_ADDRESS", 0x3A15001E},
    {"PR_HOME_ADDRESS", 0x3A5D001E},
    {"PR_BUSINESS_TELEPHONE_NUMBER", 0x3A08001E},
    {"PR_MOBILE_TELEPHONE_NUMBER", 0x3A1C001E},
    {"PR_HOME_TELEPHONE_NUMBER", 0x3A09001E},
    {"PR_PERSONAL_HOME_PAGE", 0x3A50001E},
    {"PR_BUSINESS_HOME_PAGE", 0x3A51001E},
    {"PR_DELIVER_TIME", 0x00100040},
    {"PR_RECEIPT_TIME", 0x002A0040},
    {"PR_DEFERRED_DELIVERY_TIME", 0x000F0040},
    {"PR_ORIGINAL_DELIVERY_TIME", 0x00550040},
    {"PR_LAST_MODIFICATION_TIME", 0x30080040},
    {"PR_MESSAGE_DELIVERY_TIME", 0x0E060040},
    {"PR_ADDRTYPE", 0x3002001F},
    {"PR_ORIGINAL_DISPLAY_BCC", 0x0072001F},
    {"PR_ORIGINAL_DISPLAY_CC", 0x0073001F},
    {"PR_DISPLAY_BCC", 0x0E02001F},
    {"PR_DISPLAY_CC", 0x0E03001F},
    {"PR_DISPLAY_TO", 0x0E04001F},
    {"PR_RECIPIENT_TYPE", 0x0C150003},
    {"PR_ATTACH_FILENAME", 0x3707001F},
    {"PR_ATTACH_EXTENSION", 0x3703001F},
    {"PR_ATTACH_PATHNAME", 0x3708001F},
};

}  // namespace

void ItemToXML::ExtractXml(const ObjectPtr& item, pugi::xml_document& document) {
    auto message = As<mapi::IMessage>(item);
    if (!message) {
        const auto outlookItem = As<outlook::IItem>(item);
        if (!outlookItem) RaiseRuntimeError(errors::TypeMismatch);
        message = Globals::Redemption()->GetMessageFromID(outlookItem->EntryID());
    }
    document.reset();
    document.load_string("<IPM/>");
    ExtractMessage(message, document.first_child());
}

void ItemToXML::Extract(const ObjectPtr& /*item*/, pugi::xml_document& /*document*/) {
    throw ComError(1001, "ItemToXml.Extract", "Not Implemented");
}

void ItemToXML::ExtractMessage(const Ptr<mapi::IMessage>& message, pugi::xml_node node) {
    Ptr<mapi::IAttachments> attachments;
    Ptr<mapi::IRecipients> recipients;
    Ptr<mapi::IMapiObject> sender;
    IgnoreErrors([&] { attachments = message->Attachments(); });
    IgnoreErrors([&] { recipients = message->Recipients(); });
    IgnoreErrors([&] { sender = GetSender(message); });

    ExtractProperties(message, node);
    if (sender) ExtractSender(sender, AppendElement(node, "Sender"));
    if (recipients) {
        for (std::int32_t i = 1; i <= recipients->Count(); ++i) {
            ExtractRecipient(recipients->Item(i), AppendElement(node, "Recipient"));
        }
    }
    if (attachments) {
        for (std::int32_t i = 1; i <= attachments->Count(); ++i) {
            ExtractAttachment(attachments->Item(i), AppendElement(node, "Attachment"));
        }
    }
}

void ItemToXML::ExtractSender(const Ptr<mapi::IMapiObject>& sender, pugi::xml_node node) {
    // A property the sender cannot give ends its element there; the rest of the message goes on.
    IgnoreErrors([&] { ExtractProperties(sender, node); });
}

void ItemToXML::ExtractRecipient(const Ptr<mapi::IRecipient>& recipient, pugi::xml_node node) {
    ExtractProperties(recipient, node);
}

void ItemToXML::ExtractAttachment(const Ptr<mapi::IAttachment>& attachment, pugi::xml_node node) {
    Ptr<mapi::IMessage> embedded;
    IgnoreErrors([&] { embedded = attachment->EmbeddedMsg(); });
    ExtractProperties(attachment, node);
    if (embedded) ExtractMessage(embedded, AppendElement(node, "EmbeddedMsg"));
}

void ItemToXML::ExtractProperties(const Ptr<mapi::IMapiObject>& object, pugi::xml_node node) {
    Variant content;
    IgnoreErrors([&] {
        if (const auto attachment = As<mapi::IAttachment>(object)) {
            Bytes bytes = attachment->AsArray();
            if (!bytes.empty()) content = Variant(std::move(bytes));
        }
    });
    for (const PropertyRow& row : kProperties) XmlDataTypes::AppendValue(node, row.name, GetMAPIProperty(object, row.tag));
    XmlDataTypes::AppendValue(node, "PR_ATTACH_DATA_BIN", content);
}

pugi::xml_node ItemToXML::AppendElement(pugi::xml_node parent, const char* name) { return parent.append_child(name); }

Ptr<mapi::IMapiObject> ItemToXML::GetSender(const Ptr<mapi::IMessage>& message) {
    std::string entryId;
    IgnoreErrors([&] {
        if (const auto sender = message->Sender()) entryId = sender->EntryID();
    });
    // A message whose sender can be read stands for its sender itself: its
    // own PR_SENDER_* properties describe it.
    if (!entryId.empty()) return message;
    const auto safe = Cast<mapi::ISafeMailItem>(Globals::Application()->CreateObject("ZQOutRed.ZQSafeMailItem"));
    safe->SetItem(message);
    return safe->Sender();
}

Variant ItemToXML::GetMAPIProperty(const Ptr<mapi::IMapiObject>& object, std::uint32_t tag) {
    char schema[96];
    std::snprintf(schema, sizeof schema, "%s%08X", outlook::kPropTagNamespace, tag);
    return object->PropertyAccessor()->GetProperty(schema);
}

}  // namespace ostrellix::addin

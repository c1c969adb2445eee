#include "tests/standins/message/TestMessages.h"

#include <random>

#include "standins/message/LittleEndianWriter.h"
#include "standins/message/PropertySets.h"

namespace ostrellix::standin::message::testing {

namespace {

RecipientData Recipient(const std::string& name, const std::string& address, std::int32_t type) {
    RecipientData recipient;
    recipient.properties.Set(tag::PR_DISPLAY_NAME, Variant(name));
    recipient.properties.Set(tag::PR_EMAIL_ADDRESS, Variant(address));
    recipient.properties.Set(tag::PR_SMTP_ADDRESS, Variant(address));
    recipient.properties.Set(tag::PR_ADDRTYPE, Variant("SMTP"));
    recipient.properties.Set(tag::PR_RECIPIENT_TYPE, Variant(type));
    return recipient;
}

}  // namespace

Bytes SomeBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

MessageData TypicalMail() {
    MessageData mail;
    PropertyBag& p = mail.properties;
    p.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    p.Set(tag::PR_SUBJECT, Variant("Offert på kontorsstolar – 25 % rabatt 🪑"));
    p.Set(tag::PR_BODY, Variant("Hej Åsa,\r\n\r\nhär kommer offerten.\r\nMvh Per"));
    const std::string html = "<html><body><p>Hej &Aring;sa,</p><p>h&auml;r kommer offerten.</p></body></html>";
    p.Set(tag::PR_HTML, Variant(Bytes(html.begin(), html.end())));
    p.Set(tag::PR_INTERNET_CPID, Variant(65001));
    p.Set(tag::PR_SENDER_NAME, Variant("Per Öberg"));
    p.Set(tag::PR_SENDER_EMAIL_ADDRESS, Variant("per.oberg@example.se"));
    p.Set(tag::PR_SENDER_ADDRTYPE, Variant("SMTP"));
    p.Set(tag::PR_SENT_REPRESENTING_NAME, Variant("Per Öberg"));
    p.Set(tag::PR_DISPLAY_TO, Variant("Åsa Lind; Bo Ek"));
    p.Set(tag::PR_DISPLAY_CC, Variant("Cecilia Berg"));
    p.Set(tag::PR_CLIENT_SUBMIT_TIME, Variant(Date::FromParts(2024, 3, 14, 9, 26, 53)));
    p.Set(tag::PR_MESSAGE_DELIVERY_TIME, Variant(Date::FromParts(2024, 3, 14, 9, 27, 5)));
    p.Set(tag::PR_MESSAGE_FLAGS, Variant(MSGFLAG_READ | MSGFLAG_HASATTACH));
    p.Set(MakeTag(0x0026, pt::Long), Variant(2));                         // PR_PRIORITY
    p.Set(MakeTag(0x0017, pt::Short), Variant(std::int16_t{-2}));        // a 16-bit value
    p.Set(tag::PR_MESSAGE_TO_ME, Variant(true));
    p.Set(tag::PR_MESSAGE_CC_ME, Variant(false));
    p.Set(MakeTag(0x6700, pt::Double), Variant(1234.5625));
    p.Set(MakeTag(0x0E08, pt::Long64), Variant(Bytes{1, 2, 3, 4, 5, 6, 7, 8}));  // kept raw
    p.Set(MakeTag(0x0070, pt::String8), Variant("Offert kontorsstolar"));  // PR_CONVERSATION_TOPIC_A
    p.Set(MakeTag(0x0071, pt::Binary), Variant(SomeBytes(22, 1)));         // PR_CONVERSATION_INDEX
    p.Set(MakeTag(0x6701, pt::MultiValued | pt::Unicode), Variant(VariantArray{Variant("Kund"), Variant("Offert")}));
    p.Set(MakeTag(0x6702, pt::MultiValued | pt::Long), Variant(VariantArray{Variant(7), Variant(-9)}));
    p.Set(MakeTag(0x6703, pt::MultiValued | pt::Binary), Variant(VariantArray{Variant(Bytes{1}), Variant(Bytes{})}));
    p.SetNamed({PublicStrings(), std::string("KeloID")}, {pt::Unicode, Variant("Document:4711")});
    p.SetNamed({PublicStrings(), std::string("GUID")}, {pt::Unicode, Variant("{5C1E0B1A-9D0F-4F7E-8D8B-1B2C3D4E5F60}")});
    p.SetNamed({PublicStrings(), std::string("KeloChecksum")}, {pt::Long, Variant(-123456)});
    p.SetNamed({psets::Address(), std::uint32_t{0x8083}}, {pt::Unicode, Variant("asa.lind@example.se")});
    p.SetNamed({psets::Appointment(), std::uint32_t{0x820D}}, {pt::SysTime, Variant(Date::FromParts(2024, 4, 1, 8))});
    p.SetNamed({psets::Task(), std::uint32_t{0x811C}}, {pt::Boolean, Variant(true)});

    mail.recipients.push_back(Recipient("Åsa Lind", "asa.lind@example.se", MAPI_TO));
    mail.recipients.push_back(Recipient("Bo Ek", "bo.ek@example.se", MAPI_TO));
    mail.recipients.push_back(Recipient("Cecilia Berg", "cecilia@example.se", MAPI_CC));
    mail.recipients.push_back(Recipient("Arkiv", "arkiv@example.se", MAPI_BCC));

    AttachmentData file;
    file.properties.Set(tag::PR_ATTACH_METHOD, Variant(ATTACH_BY_VALUE));
    file.properties.Set(tag::PR_ATTACH_LONG_FILENAME, Variant("offert 2024.pdf"));
    file.properties.Set(tag::PR_ATTACH_FILENAME, Variant("OFFERT~1.PDF"));
    file.properties.Set(tag::PR_ATTACH_EXTENSION, Variant(".pdf"));
    file.properties.Set(tag::PR_DISPLAY_NAME, Variant("offert 2024.pdf"));
    file.properties.Set(tag::PR_ATTACH_MIME_TAG, Variant("application/pdf"));
    file.properties.Set(tag::PR_ATTACH_DATA_BIN, Variant(SomeBytes(70000, 2)));
    mail.attachments.push_back(file);

    AttachmentData forwarded;
    forwarded.properties.Set(tag::PR_ATTACH_METHOD, Variant(ATTACH_EMBEDDED_MSG));
    forwarded.properties.Set(tag::PR_DISPLAY_NAME, Variant("Förfrågan"));
    forwarded.embedded = std::make_shared<MessageData>();
    forwarded.embedded->properties.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    forwarded.embedded->properties.Set(tag::PR_SUBJECT, Variant("Förfrågan"));
    forwarded.embedded->properties.Set(tag::PR_BODY, Variant("Kan ni offerera 12 stolar?"));
    forwarded.embedded->properties.SetNamed({PublicStrings(), std::string("KeloID")}, {pt::Unicode, Variant("Document:17")});
    forwarded.embedded->recipients.push_back(Recipient("Per Öberg", "per.oberg@example.se", MAPI_TO));
    mail.attachments.push_back(forwarded);
    return mail;
}

MessageData NestedMail(int depth) {
    MessageData mail;
    mail.properties.Set(tag::PR_SUBJECT, Variant("level " + std::to_string(depth)));
    if (depth > 0) {
        AttachmentData attachment;
        attachment.properties.Set(tag::PR_ATTACH_METHOD, Variant(ATTACH_EMBEDDED_MSG));
        attachment.embedded = std::make_shared<MessageData>(NestedMail(depth - 1));
        mail.attachments.push_back(attachment);
    }
    return mail;
}

std::filesystem::path DataFile(const std::string& name) { return std::filesystem::path(MESSAGE_TEST_DATA) / name; }

std::string Text(const PropertyBag& bag, std::uint32_t tag) { return bag.GetValue(tag).ToString(); }

std::vector<std::pair<std::string, int>> Recipients(const MessageData& message) {
    std::vector<std::pair<std::string, int>> result;
    for (const auto& r : message.recipients) {
        const std::string address = Text(r.properties, tag::PR_EMAIL_ADDRESS);
        result.emplace_back(address.empty() ? Text(r.properties, tag::PR_DISPLAY_NAME) : address,
                            r.properties.GetValue(tag::PR_RECIPIENT_TYPE).ToLong());
    }
    return result;
}

Bytes PropertyStream(std::size_t header, const std::vector<std::pair<std::uint32_t, std::uint64_t>>& entries) {
    LittleEndianWriter out;
    out.Zeros(header);
    for (const auto& [tag, value] : entries) {
        out.U32(tag);
        out.U32(6);
        out.U64(value);
    }
    return out.Take();
}

}  // namespace ostrellix::standin::message::testing

#include <gtest/gtest.h>

#include "runtime/Base64.h"
#include "runtime/ComError.h"
#include "standins/message/EmlReader.h"
#include "standins/message/MessageFileError.h"
#include "tests/standins/message/TestMessages.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::message {
namespace {

MessageData Import(const std::string& text) {
    return EmlReader().Read({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "mail.eml");
}

using testing::Text;

std::string Html(const MessageData& mail) {
    const Bytes bytes = mail.properties.GetValue(tag::PR_HTML).ToBytes();
    return {bytes.begin(), bytes.end()};
}

TEST(EmlReader, HeadersAndBodiesInOtherCharsetsArriveAsUtf8) {
    const std::string koi8Html = Base64Encode(Bytes{0xF0, 0xD2, 0xC9, 0xD7, 0xC5, 0xD4});  // "Привет" in KOI8-R
    const MessageData mail = Import(
        "Received: from relay.example.se by mx.example.se; Thu, 14 Mar 2024 10:27:05 +0100\r\n"
        "From: =?iso-8859-1?Q?=C5sa_Lind?= <asa.lind@example.se>\r\n"
        "To: Bo Ek <bo.ek@example.se>, team: c@example.se, d@example.se;\r\n"
        "Cc: \"Berg, Cecilia\" <cecilia@example.se>\r\n"
        "Bcc: arkiv@example.se\r\n"
        "Subject: =?utf-8?B?T2ZmZXJ0IHDDpSBzdG9sYXI=?=\r\n"
        "Date: Thu, 14 Mar 2024 10:26:53 +0100\r\n"
        "Message-ID: <abc@example.se>\r\n"
        "MIME-Version: 1.0\r\n"
        "Content-Type: multipart/alternative; boundary=\"alt\"\r\n\r\n"
        "--alt\r\nContent-Type: text/plain; charset=iso-8859-1\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
        "Hall=E5 v=E4rlden\nrad tv=E5\r\n"
        "--alt\r\nContent-Type: text/html; charset=koi8-r\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
        koi8Html + "\r\n--alt--\r\n");
    const PropertyBag& p = mail.properties;
    EXPECT_EQ(Text(p, tag::PR_SUBJECT), "Offert på stolar");
    EXPECT_EQ(Text(p, tag::PR_SENDER_NAME), "Åsa Lind");
    EXPECT_EQ(Text(p, tag::PR_SENDER_EMAIL_ADDRESS), "asa.lind@example.se");
    EXPECT_EQ(Text(p, tag::PR_BODY), "Hallå världen\r\nrad två");
    EXPECT_EQ(Text(p, tag::PR_SENT_REPRESENTING_NAME), "Åsa Lind");
    EXPECT_EQ(Html(mail), "Привет");
    EXPECT_EQ(p.GetValue(tag::PR_INTERNET_CPID).ToLong(), 65001);  // what the HTML bytes are in
    EXPECT_EQ(Text(p, tag::PR_INTERNET_MESSAGE_ID), "<abc@example.se>");
    EXPECT_EQ(p.GetValue(tag::PR_CLIENT_SUBMIT_TIME).ToDate(), Date::FromParts(2024, 3, 14, 9, 26, 53));
    EXPECT_EQ(p.GetValue(tag::PR_MESSAGE_DELIVERY_TIME).ToDate(), Date::FromParts(2024, 3, 14, 9, 27, 5));
    EXPECT_EQ(Text(p, tag::PR_DISPLAY_TO), "Bo Ek; c@example.se; d@example.se");
    EXPECT_EQ(Text(p, tag::PR_DISPLAY_CC), "Berg, Cecilia");
    EXPECT_EQ(Text(p, tag::PR_DISPLAY_BCC), "arkiv@example.se");
    ASSERT_EQ(mail.recipients.size(), 5u);
    EXPECT_EQ(Text(mail.recipients[3].properties, tag::PR_SMTP_ADDRESS), "cecilia@example.se");
    EXPECT_EQ(mail.recipients[4].properties.GetValue(tag::PR_RECIPIENT_TYPE).ToLong(), MAPI_BCC);
    EXPECT_TRUE(mail.attachments.empty());
}

TEST(EmlReader, AttachmentsKeepNamesAndBytesAndAttachedMailsBecomeEmbeddedMessages) {
    const Bytes pdf = testing::SomeBytes(3000, 3);
    const MessageData mail = Import(
        "From: per@example.se\r\nTo: asa@example.se\r\nSubject: Vidare\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=\"m\"\r\n\r\n"
        "--m\r\nContent-Type: text/plain\r\n\r\nSe bilagor.\r\n"
        "--m\r\nContent-Type: application/pdf\r\nContent-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment; filename*=utf-8''offert%20%C3%A5r%202024.pdf\r\n\r\n" +
        Base64Encode(pdf) +
        "\r\n--m\r\nContent-Type: image/png\r\nContent-ID: <logo@example.se>\r\nContent-Disposition: inline\r\n\r\nPNG\r\n"
        "--m\r\nContent-Type: message/rfc822\r\n\r\n"
        "From: kund@example.com\r\nTo: per@example.se\r\nSubject: =?utf-8?Q?F=C3=B6rfr=C3=A5gan?=\r\n"
        "Content-Type: multipart/mixed; boundary=\"inner\"\r\n\r\n"
        "--inner\r\nContent-Type: text/plain; charset=utf-8\r\n\r\nTolv stolar?\r\n"
        "--inner\r\nContent-Type: text/plain; name=\"lista.txt\"\r\nContent-Disposition: attachment\r\n\r\n1\r\n2\r\n"
        "--inner--\r\n"
        "--m--\r\n");
    EXPECT_EQ(Text(mail.properties, tag::PR_BODY), "Se bilagor.");
    EXPECT_EQ(mail.properties.GetValue(tag::PR_MESSAGE_FLAGS).ToLong() & MSGFLAG_HASATTACH, MSGFLAG_HASATTACH);
    ASSERT_EQ(mail.attachments.size(), 3u);

    const PropertyBag& file = mail.attachments[0].properties;
    EXPECT_EQ(file.GetValue(tag::PR_ATTACH_METHOD).ToLong(), ATTACH_BY_VALUE);
    EXPECT_EQ(Text(file, tag::PR_ATTACH_LONG_FILENAME), "offert år 2024.pdf");
    EXPECT_EQ(Text(file, tag::PR_ATTACH_EXTENSION), ".pdf");
    EXPECT_EQ(Text(file, tag::PR_ATTACH_MIME_TAG), "application/pdf");
    EXPECT_EQ(file.GetValue(tag::PR_ATTACH_DATA_BIN).ToBytes(), pdf);

    const PropertyBag& logo = mail.attachments[1].properties;
    EXPECT_EQ(Text(logo, tag::PR_ATTACH_CONTENT_ID), "logo@example.se");
    EXPECT_EQ(Text(logo, tag::PR_ATTACH_LONG_FILENAME), "attachment2.png");

    const AttachmentData& forwarded = mail.attachments[2];
    EXPECT_EQ(forwarded.properties.GetValue(tag::PR_ATTACH_METHOD).ToLong(), ATTACH_EMBEDDED_MSG);
    EXPECT_EQ(Text(forwarded.properties, tag::PR_DISPLAY_NAME), "Förfrågan");
    ASSERT_TRUE(forwarded.embedded);
    EXPECT_EQ(Text(forwarded.embedded->properties, tag::PR_SENDER_EMAIL_ADDRESS), "kund@example.com");
    EXPECT_EQ(Text(forwarded.embedded->properties, tag::PR_BODY), "Tolv stolar?");
    ASSERT_EQ(forwarded.embedded->attachments.size(), 1u);
    EXPECT_EQ(Text(forwarded.embedded->attachments[0].properties, tag::PR_ATTACH_LONG_FILENAME), "lista.txt");
}

// Undeclared 8-bit text reads as UTF-8 or windows-1252; a header of MIME fields alone makes a message.
TEST(EmlReader, PlainBodiesOfSmallMailsArrive) {
    const std::pair<std::string, std::string> cases[] = {
        {"Subject: x\r\n\r\nK\xC3\xB6p\r\n", "Köp\r\n"},
        {"Subject: x\r\n\r\nK\xF6p \x80\r\n", "Köp €\r\n"},
        {"Content-Type: text/plain; charset=koi8-r\r\nContent-Transfer-Encoding: 8bit\r\n\r\n\xF4\xC5\xD3\xD4\r\n",
         "Тест\r\n"},
        {"MIME-Version: 1.0\r\n\r\nHello\r\n", "Hello\r\n"},
    };
    for (const auto& [text, body] : cases) {
        const MessageData mail = Import(text);
        EXPECT_EQ(Text(mail.properties, tag::PR_BODY), body) << text;
        EXPECT_TRUE(mail.recipients.empty());
    }
}

TEST(EmlReader, InputThatIsNoMailIsAnErrorNamingTheFile) {
    for (const std::string& junk : {std::string(), std::string("\x01\x02\x03\xFF\xFE binary without any header"),
                                    std::string(4096, '\0'), std::string("\r\nA body under an empty header\r\n")}) {
        const auto error = ostrellix::testing::Raised([&] { Import(junk); });
        ASSERT_TRUE(error) << "accepted: " << junk.size() << " bytes";
        EXPECT_EQ(error->Number(), file_error::Corrupt);
        EXPECT_NE(error->Description().find("'mail.eml'"), std::string::npos) << error->Description();
    }
    EXPECT_THROW(EmlReader().ReadFile("/nonexistent/mail.eml"), ComError);
}

TEST(EmlReader, NestingBeyondTheLimitsIsAnError) {
    std::string deep = "From: a@example.com\r\nContent-Type: multipart/mixed; boundary=\"b0\"\r\n\r\n";
    for (int i = 1; i < 200; ++i) {
        deep += "--b" + std::to_string(i - 1) + "\r\nContent-Type: multipart/mixed; boundary=\"b" + std::to_string(i) + "\"\r\n\r\n";
    }
    EXPECT_THROW(Import(deep), ComError);
    std::string forwards;
    for (int i = 0; i < 40; ++i) forwards += "From: a@example.com\r\nContent-Type: message/rfc822\r\n\r\n";
    EXPECT_THROW(Import(forwards + "Subject: innermost\r\n\r\nx"), ComError);
}

}  // namespace
}  // namespace ostrellix::standin::message

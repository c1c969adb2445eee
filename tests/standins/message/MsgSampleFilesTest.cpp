// Message files written by Outlook, shipped as test data by other projects
// (see data/SOURCES.md): what they hold must come out right.
#include <gtest/gtest.h>

#include "standins/message/CompressedRtf.h"
#include "standins/message/MsgReader.h"
#include "standins/message/PropertySets.h"
#include "tests/standins/message/TestMessages.h"

namespace ostrellix::standin::message {
namespace {

using testing::Recipients;
using testing::Text;

// npm package msg-parser 1.0.10, test/Top level email.msg (ISC licence).
TEST(MsgSampleFiles, MailWithEmbeddedMailAndPicturesFromMsgParser) {
    const MessageData mail = MsgReader().ReadFile(testing::DataFile("top-level-email.msg"));
    EXPECT_EQ(Text(mail.properties, tag::PR_SUBJECT), "Top level email");
    EXPECT_EQ(Text(mail.properties, tag::PR_MESSAGE_CLASS), "IPM.Note");
    EXPECT_EQ(Text(mail.properties, tag::PR_BODY), "Top level email text\r\n");
    EXPECT_EQ(Text(mail.properties, tag::PR_DISPLAY_TO), "someone1@gmail.com; someone2@gmail.com");
    EXPECT_EQ(mail.properties.GetValue(tag::PR_MESSAGE_DELIVERY_TIME).ToDate().ToString(), "2020-03-26 12:25:32");
    const std::vector<std::pair<std::string, int>> expected{{"ccsomeoneelse1@gmail.com", MAPI_CC},
                                                            {"ccsomeoneelse2@gmail.com", MAPI_CC},
                                                            {"someone1@gmail.com", MAPI_TO},
                                                            {"someone2@gmail.com", MAPI_TO}};
    EXPECT_EQ(Recipients(mail), expected);

    // Numeric named properties of PSETID_Common come with their names.
    const auto version = mail.properties.GetNamed({psets::Common(), std::uint32_t{0x8554}});
    ASSERT_TRUE(version);
    EXPECT_EQ(version->value.ToString(), "16.0");

    const std::string rtf =
        CompressedRtf::Decompress(mail.properties.GetValue(tag::PR_RTF_COMPRESSED).ToBytes(), 1 << 20);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1251\\fromhtml1", 0), 0u);
    EXPECT_NE(rtf.find("Top level email text"), std::string::npos);

    ASSERT_EQ(mail.attachments.size(), 2u);
    const AttachmentData& forwarded = mail.attachments[0];
    EXPECT_EQ(forwarded.properties.GetValue(tag::PR_ATTACH_METHOD).ToLong(), ATTACH_EMBEDDED_MSG);
    ASSERT_TRUE(forwarded.embedded);
    EXPECT_EQ(Text(forwarded.embedded->properties, tag::PR_SUBJECT), "Embedded email");
    EXPECT_EQ(Text(forwarded.embedded->properties, tag::PR_DISPLAY_TO), "receiver@gmail.com");
    ASSERT_EQ(forwarded.embedded->attachments.size(), 2u);
    EXPECT_EQ(Text(forwarded.embedded->attachments[0].properties, tag::PR_ATTACH_LONG_FILENAME), "dog.jpg");
    EXPECT_EQ(Text(forwarded.embedded->attachments[1].properties, tag::PR_ATTACH_LONG_FILENAME), "cat.jpg");

    const AttachmentData& picture = mail.attachments[1];
    EXPECT_EQ(Text(picture.properties, tag::PR_ATTACH_LONG_FILENAME), "pigeon.jpg");
    const Bytes jpeg = picture.properties.GetValue(tag::PR_ATTACH_DATA_BIN).ToBytes();
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
}

// npm package msgreader 1.0.1 (also @freiraum/msgreader 1.1.1), data/test.msg (ISC licence).
TEST(MsgSampleFiles, MailWithPictureFromMsgReader) {
    const MessageData mail = MsgReader().ReadFile(testing::DataFile("freiraum-test.msg"));
    EXPECT_EQ(Text(mail.properties, tag::PR_SUBJECT), "asdf");
    EXPECT_EQ(Text(mail.properties, tag::PR_SENDER_EMAIL_ADDRESS), "christoph@freiraum.xyz");
    EXPECT_EQ(Recipients(mail), (std::vector<std::pair<std::string, int>>{{"christoph@freiraum.xyz", MAPI_TO}}));
    ASSERT_EQ(mail.attachments.size(), 1u);
    const PropertyBag& attachment = mail.attachments[0].properties;
    EXPECT_EQ(Text(attachment, tag::PR_ATTACH_LONG_FILENAME),
              "5AAoPFgV-nJ965R7o-98C38840-4454-4750-9AEF-F53DB3E37548.jpg");
    EXPECT_EQ(Text(attachment, tag::PR_ATTACH_MIME_TAG), "image/jpeg");
    EXPECT_GT(attachment.GetValue(tag::PR_ATTACH_DATA_BIN).ToBytes().size(), 1000u);
    const std::string rtf =
        CompressedRtf::Decompress(mail.properties.GetValue(tag::PR_RTF_COMPRESSED).ToBytes(), 1 << 20);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
    EXPECT_EQ(rtf.back(), '}');
}

}  // namespace
}  // namespace ostrellix::standin::message

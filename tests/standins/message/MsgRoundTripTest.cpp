#include <gtest/gtest.h>

#include "runtime/ComError.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/MsgReader.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/PropertySets.h"
#include "tests/standins/message/TestMessages.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::message {
namespace {

using ostrellix::testing::Raised;

MessageData RoundTrip(const MessageData& message) { return MsgReader().Read(MsgWriter::Write(message), "memory"); }

// The reader drops the layout's bookkeeping (row and attachment numbers, the
// store's support mask) that the writer adds, so the whole compares equal.
TEST(MsgRoundTrip, EveryKindOfPropertyRecipientAndAttachmentComesBackUnchanged) {
    const MessageData mail = testing::TypicalMail();
    EXPECT_EQ(RoundTrip(mail), mail);
}

TEST(MsgRoundTrip, EmbeddedMessagesNestToTheDepthLimitAndNoFurther) {
    const int limit = MessageFileLimits{}.maxEmbeddingDepth;
    const MessageData deep = testing::NestedMail(limit);
    EXPECT_EQ(RoundTrip(deep), deep);
    const auto error = Raised([&] { MsgWriter::Write(testing::NestedMail(limit + 1)); });
    ASSERT_TRUE(error) << "a message nested past the limit was written";
    EXPECT_EQ(error->Number(), file_error::TooBig);
}

TEST(MsgRoundTrip, EightBitTextUsesTheMessageCodePageOrFallsBackToUnicode) {
    MessageData mail;
    mail.properties.Set(tag::PR_MESSAGE_CODEPAGE, Variant(1251));
    mail.properties.Set(MakeTag(0x0037, pt::String8), Variant("Привет"));
    mail.properties.Set(MakeTag(0x1000, pt::String8), Variant("Привет 😀"));  // no emoji in code page 1251
    const MessageData back = RoundTrip(mail);
    EXPECT_EQ(back.properties.Get(tag::PR_SUBJECT)->type, pt::String8);
    EXPECT_EQ(back.properties.GetValue(tag::PR_SUBJECT).ToString(), "Привет");
    EXPECT_EQ(back.properties.Get(tag::PR_BODY)->type, pt::Unicode);
    EXPECT_EQ(back.properties.GetValue(tag::PR_BODY).ToString(), "Привет 😀");
}

// A file on disk is replaced whole, with no temporary file left beside it,
// and a message that cannot be written leaves the old file as it was.
TEST(MsgRoundTrip, AFileIsReplacedWholeOrNotAtAll) {
    ostrellix::testing::TempDirectory dir;
    const auto path = dir.Path() / "mail.msg";
    MsgWriter::WriteFile(testing::NestedMail(1), path);
    MsgWriter::WriteFile(testing::TypicalMail(), path);
    EXPECT_EQ(MsgReader().ReadFile(path), testing::TypicalMail());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    MessageData textAsNumber;
    textAsNumber.properties.Set(MakeTag(0x0E07, pt::Long), Variant("not a number"));
    const auto invalid = Raised([&] { MsgWriter::WriteFile(textAsNumber, path); });
    ASSERT_TRUE(invalid) << "a text was written as a 32-bit number";
    EXPECT_EQ(invalid->Number(), file_error::InvalidValue);
    EXPECT_NE(invalid->Description().find("0x0E070003"), std::string::npos) << invalid->Description();
    EXPECT_NE(invalid->Description().find("the message"), std::string::npos);
    MessageData namedWithoutName;
    namedWithoutName.properties.Set(MakeTag(0x8001, pt::Long), Variant(1));
    EXPECT_THROW(MsgWriter::WriteFile(namedWithoutName, path), ComError);
    EXPECT_EQ(MsgReader().ReadFile(path), testing::TypicalMail());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

    const auto nowhere =
        Raised([&] { MsgWriter::WriteFile(testing::NestedMail(0), dir.Path() / "no such folder" / "mail.msg"); });
    ASSERT_TRUE(nowhere);
    EXPECT_EQ(nowhere->Number(), file_error::CannotSave);
    EXPECT_NE(nowhere->Description().find("no such folder"), std::string::npos);
}

}  // namespace
}  // namespace ostrellix::standin::message

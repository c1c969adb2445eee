#include <gtest/gtest.h>

#include "contracts/kelo/IDocument.h"
#include "core/Globals.h"
#include "runtime/ComError.h"
#include "tests/messenger/MessengerFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin::messengertest {
namespace {

using ostrellix::testing::Raised;

using MessengerSettingsTest = MessengerTest;

TEST_F(MessengerSettingsTest, AClassGivesTheMailingItsFirstEmailFieldAndTheDefaults) {
    const auto settings = Settings();
    EXPECT_EQ(settings->Value("Class").ToString(), "person");
    EXPECT_EQ(settings->Value("Field").ToString(), "email");
    for (const char* flag : {"SendOneByOne", "SaveOnlyFirstMail", "IgnoreDuplicates"}) {
        EXPECT_TRUE(settings->Value(flag).ToBoolean()) << flag;
    }

    messenger = std::make_shared<Messenger>();
    messenger->IMessenger_SetClass(Class("todo"));
    EXPECT_TRUE(Settings()->Value("Field").IsEmpty()) << "a to-do has no e-mail field";
}

TEST_F(MessengerSettingsTest, FeatureTwoFollowsSendingOneByOne) {
    const struct {
        std::int32_t feature;
        Variant oneByOne;
        bool supported;
    } cases[] = {
        {0, Variant(false), true}, {1, Variant(false), true}, {2, Variant(true), true},
        {2, Variant(1), true},     {2, Variant(false), false}, {3, Variant(true), false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.feature);
        Set("SendOneByOne", each.oneByOne);
        EXPECT_EQ(messenger->IMessenger_Supports(each.feature), each.supported);
    }
}

TEST_F(MessengerSettingsTest, ValidationNamesWhatTheMailingLacks) {
    const std::string draft = Draft("News", "Hello.");
    const struct {
        const char* name;
        std::string className, field, message, expected;
    } cases[] = {
        {"no class", "nosuchclass", "email", draft,
         "An internal error occurred.\r\nPlease try again. If the problem persists, contact your Kelo administrator."},
        {"no field", "person", "nosuchfield", draft,
         "Please select the field that holds the recipients' e-mail addresses."},
        {"no message", "person", "email", "", "Please create the message to send."},
        {"a draft that is gone", "person", "email", "00000000DEAD", "Please create the message to send."},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        Set("Class", Variant(each.className));
        Set("Field", Variant(each.field));
        Set("Message", Variant(each.message));
        const auto error = Raised([&] { messenger->IMessenger_Validate(); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Number(), 9999);
        EXPECT_EQ(error->Source(), "Ostrellix");
        EXPECT_EQ(error->Description(), each.expected);
    }
    Set("Class", Variant("person"));
    Set("Field", Variant("email2"));
    Set("Message", Variant(draft));
    EXPECT_FALSE(Raised([&] { messenger->IMessenger_Validate(); }));
}

TEST_F(MessengerSettingsTest, TheStoredTemplateComesBackAsAMessageDocument) {
    EXPECT_EQ(messenger->IMessenger_Document(), nullptr);
    const auto stored = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
    stored->SetData(Bytes{'m', 's', 'g'});
    Set("Template", Variant(stored));
    const auto document = messenger->IMessenger_Document();
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(SameObject(document, stored));
    EXPECT_EQ(document->Extension(), "msg");
    EXPECT_EQ(document->Data(), (Bytes{'m', 's', 'g'}));
}

}  // namespace
}  // namespace ostrellix::addin::messengertest

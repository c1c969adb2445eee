#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "contracts/kelo/Codes.h"
#include "contracts/win/IMessageBox.h"
#include "core/Addin.h"
#include "core/AddinConstants.h"
#include "core/Form.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "runtime/Guid.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Log.h"
#include "tests/support/AddinWorld.h"
#include "tests/support/FileText.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin {
namespace {

using ostrellix::testing::Raised;

using testing::AddinWorld;

TEST(GetTextTest, KeysWithoutAPointAreTexts) {
    AddinWorld world;
    EXPECT_EQ(Tools::GetText("CategoryName"), "Kelo");
    EXPECT_EQ(Tools::GetText("Text.CategoryName"), "Kelo");  // with a point: taken as it is
    EXPECT_EQ(Tools::GetText("NoSuchKey"), "NoSuchKey");
    EXPECT_EQ(Tools::GetText("NoSuch.Key"), "NoSuch.Key");
}

// Without a bundle the key is the text; placeholders are filled wherever
// they stand, and only those given.
TEST(GetTextTest, WithoutABundleTheKeyItselfWithItsPlaceholdersFilled) {
    AddinWorld world(AddinWorld::Options{.loadAddin = false});
    EXPECT_EQ(Tools::GetText("CategoryName"), "CategoryName");
    EXPECT_EQ(Tools::GetText("%1 and %1", "x"), "x and x");
    EXPECT_EQ(Tools::GetText("%1-%2-%1-%3", "a"), "a-%2-a-%3");
    EXPECT_EQ(Tools::GetText("%1-%2-%3", "a", "b", "c"), "a-b-c");
    EXPECT_EQ(Tools::GetText("%2", std::nullopt, "b"), "b");
}

TEST(ReportErrorTest, TheAddinsOwnErrorsAreShownButNotLogged) {
    AddinWorld world;
    const auto entries = world.KeloLog().size();
    try {
        Tools::RaiseError("Nothing to export");
    } catch (const ComError& error) {
        Tools::ReportError(error, "Export.ExportFromContext");
    }
    ASSERT_EQ(world.Kelo().Boxes().History().size(), 1u);
    const auto& box = world.Kelo().Boxes().History().back();
    EXPECT_EQ(box.text, "Nothing to export\r\n\r\nSource: Export.ExportFromContext\r\nErrorcode: 9999");
    EXPECT_EQ(box.flags, win::mb::OK | win::mb::IconExclamation);
    EXPECT_EQ(world.KeloLog().size(), entries);
}

// Errors of others are logged with their source and hexadecimal number;
// ReportError also shows them, LogError does not.
TEST(ReportErrorTest, ForeignErrorsAreLoggedWithTheirSourceAndHexCode) {
    AddinWorld world;
    Tools::LogError(ComError(static_cast<std::int32_t>(0x80040000u), "Outlook", "Gone"), "MailListener.IsAttachedFile");
    EXPECT_EQ(world.KeloLog().back(), "2|Outlook|80040000|Gone");
    EXPECT_TRUE(world.Kelo().Boxes().History().empty());

    Tools::ReportError(ComError(13, "Kelo.Record", "Type mismatch"), "Addin.StartOutlook");
    EXPECT_EQ(world.KeloLog().back(), "2|Kelo.Record|D|Type mismatch\r\n\r\nSource: Addin.StartOutlook\r\nErrorcode: 13");
    EXPECT_EQ(world.Kelo().Boxes().History().size(), 1u);
}

TEST(AddLogTest, EntriesInTheClientsLogHaveTheAddinAsSource) {
    AddinWorld world;
    const auto log = As<standin::kelo::Log>(world.Kelo().Log());
    Tools::AddLog(kelo::logtype::Progress, "Starting full synchronization.", "Synchronizer.Synchronize", "");
    Tools::LogError(ComError(13, "Kelo.Record", "Type mismatch"), "MailListener.IsAttachedFile");
    const auto entries = log->Entries(2);
    ASSERT_EQ(entries.size(), 2u);
    for (const auto& entry : entries) EXPECT_EQ(entry.source, "Ostrellix") << entry.message;
    EXPECT_TRUE(world.Logged("Globals - AddLog: Type=4, Message='Starting full synchronization.', "
                             "Location='Synchronizer.Synchronize'"));
}

TEST(ShowMessageTest, FallsBackToThePlatformBoxWithoutAHost) {
    AddinWorld world(AddinWorld::Options{.loadAddin = false});
    std::string caption;
    std::int32_t flags = 0;
    Connection c = world.System().MessageBox().Shown.Connect(
        [&](const std::string&, const std::string& shownCaption, std::int32_t shownFlags, std::int32_t) {
            caption = shownCaption;
            flags = shownFlags;
        });
    world.System().MessageBox().QueueAnswer(win::mb::AnswerNo);
    EXPECT_EQ(Tools::ShowMessage("Save?", win::mb::YesNo), win::mb::AnswerNo);
    EXPECT_EQ(caption, "MsgBoxCaption");  // no bundle either: the key
    EXPECT_EQ(flags, win::mb::YesNo | win::mb::Foreground);
}

TEST(WriteLogTest, DebugSwitchAddsTheLogFile) {
    AddinWorld world;
    Tools::WriteLog("Synchronizer - quiet");
    const auto log = std::filesystem::path(world.Kelo().Utility()->WorkingFolder()) / "Ostrellix.log";
    EXPECT_FALSE(std::filesystem::exists(log));
    EXPECT_TRUE(world.Logged("Ostrellix - Synchronizer - quiet\r\n"));

    world.System().Settings().SaveSetting(kSettingsApplication, kSettingsSection, "Debug", "1");
    Tools::WriteLog("Synchronizer - loud");
    const std::string content = testing::FileText(log);
    EXPECT_NE(content.find("Synchronizer - loud"), std::string::npos);
    EXPECT_EQ(content.find("Ostrellix - "), std::string::npos);
    world.System().Settings().SaveSetting(kSettingsApplication, kSettingsSection, "Debug", "0");
}

TEST(WriteLogTest, DebugSwitchWithoutAHostRaises) {
    AddinWorld world(AddinWorld::Options{.loadAddin = false});
    world.System().Settings().SaveSetting(kSettingsApplication, kSettingsSection, "Debug", "2");
    EXPECT_THROW(Tools::WriteLog("anything"), ComError);
    world.System().Settings().SaveSetting(kSettingsApplication, kSettingsSection, "Debug", "0");
    EXPECT_NO_THROW(Tools::WriteLog("anything"));
}

TEST(TruncateDescriptionTest, CutsNearABlankAtFixedPositions) {
    EXPECT_EQ(Addin::TruncateDescription("abcdefghij", 10), "abcdefghij");
    EXPECT_EQ(Addin::TruncateDescription("abcdefghijk", 10), "abcdefg...");
    // The first nMax-3 characters end in a blank and one letter: both go.
    EXPECT_EQ(Addin::TruncateDescription("abcde fghijk", 10), "abcde...");
    // ... and one more when position nMax-5 is a blank too.
    EXPECT_EQ(Addin::TruncateDescription("abcd  fghijk", 10), "abcd...");
    EXPECT_EQ(Addin::TruncateDescription("one\r\ntwo", 20), "one two");
    EXPECT_EQ(Addin::TruncateDescription("a\tb\nc\rd", 20), "a b c d");
    EXPECT_EQ(Addin::TruncateDescription("Ärende på gång nu", 10), "Ärende...");
    EXPECT_THROW(Addin::TruncateDescription("a longer text", 5), ComError);
}

TEST(EmailAddressTest, PatternAcceptsAndRejects) {
    for (const char* good : {"anna.berg@example.com", "ANNA.BERG@EXAMPLE.COM", "o'neil+tag@mail.example.co.uk",
                             "x@a-b.se"}) {
        EXPECT_TRUE(Addin::IsValidEMailAddress(Variant(good))) << good;
    }
    for (const char* bad : {"anna@localhost", ".anna@example.com", "anna.@example.com", "an..na@example.com",
                            "anna@-example.com", "anna@example-.com", "anna example.com", ""}) {
        EXPECT_FALSE(Addin::IsValidEMailAddress(Variant(bad))) << bad;
    }
}

TEST(WaitCursorTest, HourglassWhileAnyLives) {
    AddinWorld world;
    {
        auto first = std::make_unique<WaitCursor>();
        EXPECT_EQ(world.Kelo().MousePointer(), kelo::kPointerHourglass);
        {
            WaitCursor second;
            first.reset();
            EXPECT_EQ(world.Kelo().MousePointer(), kelo::kPointerHourglass);
        }
        EXPECT_EQ(world.Kelo().MousePointer(), kelo::kPointerDefault);
    }
    EXPECT_EQ(WaitCursor::Count(), 0);
}

// Sorted by item, each cut to fifty characters; keys equal in their first
// fifty are reported and leave the dictionary partly rebuilt.
TEST(SortDictionaryTest, OrdersByItemAndCutsToFifty) {
    AddinWorld world;
    Dictionary fields;
    fields.Add("lastname", "Lastname");
    fields.Add("city", "city");
    fields.Add("email", "E-mail " + std::string(60, 'x'));
    Tools::SortDictionary(fields, false);
    EXPECT_EQ(fields.Keys(), (std::vector<std::string>{"city", "email", "lastname"}));
    EXPECT_EQ(text::Len(fields.Item("email").ToString()), 50u);
    EXPECT_TRUE(world.Kelo().Boxes().History().empty());

    Dictionary twins;
    twins.Add(std::string(50, 'k') + "1", "b");
    twins.Add(std::string(50, 'k') + "2", "a");
    Tools::SortDictionary(twins, false);
    ASSERT_EQ(world.Kelo().Boxes().History().size(), 1u);
    EXPECT_NE(world.Kelo().Boxes().History()[0].text.find("Tools.SortDictionary"), std::string::npos);
    EXPECT_EQ(twins.Count(), 1);
}

TEST(ClassIdTest, ParseAndLookupFailuresHaveTheirOwnTexts) {
    AddinWorld world;
    const auto unbraced = Raised([&] { Tools::GetObjectFromCLSID("0006F03A-0000-0000-C000-000000000046"); });
    ASSERT_TRUE(unbraced);
    EXPECT_EQ(unbraced->Number(), CO_E_CLASSSTRING);
    EXPECT_EQ(unbraced->Source(), "Kelo.Ostrellix");
    EXPECT_EQ(unbraced->Description(), "Failed to parse CLSID.");
    const auto notRunning = Raised([&] { Tools::GetObjectFromCLSID("{0006F03A-0000-0000-C000-000000000046}"); });
    ASSERT_TRUE(notRunning);
    EXPECT_EQ(notRunning->Number(), win::MK_E_UNAVAILABLE);
    EXPECT_EQ(notRunning->Description(), "Failed to get active object.");
}

TEST(FileNameTest, TempFilesAndDocumentNames) {
    AddinWorld world;
    const std::string path = Tools::MakeTempFileName("vcf");
    EXPECT_EQ(std::filesystem::path(path).parent_path(), std::filesystem::path(world.Kelo().Utility()->WorkingFolder()));
    EXPECT_EQ(std::filesystem::path(path).extension(), ".vcf");
    EXPECT_NE(path, Tools::MakeTempFileName("vcf"));

    auto document = As<kelo::IDocument>(world.Kelo().CreateObject("QVR.Document"));
    document->SetExtension("msg");
    EXPECT_EQ(Tools::FitDocumentName(document, std::string(124, 's')), std::string(124, 's'));
    EXPECT_EQ(Tools::FitDocumentName(document, std::string(200, 's')), std::string(124, 's'));
}

TEST(LocalizeFormTest, CaptionsOfCaptionedControlsAreKeys) {
    AddinWorld world;
    Form form("FormPanes", "Caption",
              {{.name = "CtrlAdd", .kind = FormControl::Kind::CommandButton, .caption = "Add"},
               {.name = "CtrlList", .kind = FormControl::Kind::ListBox, .caption = "Add"},
               {.name = "CtrlUnknown", .kind = FormControl::Kind::Label, .caption = "NoSuchCaption"}});
    Tools::LocalizeForm(form);
    EXPECT_NE(form.Caption(), "Caption");
    EXPECT_EQ(form.Control("CtrlAdd")->caption, Tools::GetText("FormPanes.Add"));
    EXPECT_NE(form.Control("CtrlAdd")->caption, "Add");
    EXPECT_EQ(form.Control("CtrlList")->caption, "Add");                        // not a captioned kind
    EXPECT_EQ(form.Control("CtrlUnknown")->caption, "FormPanes.NoSuchCaption");  // the key stays visible
}

}  // namespace
}  // namespace ostrellix::addin

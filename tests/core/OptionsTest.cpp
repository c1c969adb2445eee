#include <gtest/gtest.h>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IFolder.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "tests/support/AddinWorld.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin {
namespace {

using ostrellix::testing::Raised;

using testing::AddinWorld;

class OptionsTest : public ::testing::Test {
protected:
    AddinWorld world;
    Ptr<Options> options = Globals::Options();
    Ptr<kelo::IProperties> settings = world.Kelo().Database()->Settings()->Child(kTitle);
};

TEST_F(OptionsTest, FreshDatabaseAndUserReadTheDefaults) {
    EXPECT_TRUE(options->AllowExport());
    EXPECT_TRUE(options->AllowDragDrop());
    EXPECT_TRUE(options->SynchronizeAtStartup());
    EXPECT_TRUE(options->SynchronizeAppointments());
    EXPECT_TRUE(options->SynchronizeTasks());
    EXPECT_TRUE(options->DeleteAppointmentsDuringSynchronization());
    EXPECT_TRUE(options->DeleteTasksDuringSynchronization());
    EXPECT_TRUE(options->DisplayInspectorBeforeSave());
    EXPECT_FALSE(options->AttachBusinessCard());
    EXPECT_FALSE(options->AllowEditMessages());
    EXPECT_FALSE(options->SynchronizeAtShutdown());
    EXPECT_FALSE(options->DeleteContactsDuringSynchronization());
    EXPECT_FALSE(options->SynchronizeContacts());
    EXPECT_EQ(options->SaveOutgoingMailMode(), 1);
    EXPECT_EQ(options->SaveOutgoingMailFromOutlookMode(), 0);
    EXPECT_EQ(options->SaveOutgoingInternalMail(), -1);
    EXPECT_EQ(options->OutboxListenerDelay(), 2000);
    const Date epoch = Date::FromParts(1970, 1, 1);
    EXPECT_EQ(options->LastSynchronizationTime(), epoch);
    EXPECT_EQ(options->LastFullSynchronizationTime(), epoch);
    EXPECT_EQ(options->OutlookTimestamp(), epoch);
    EXPECT_EQ(options->KeloTimestamp(), epoch);
    EXPECT_EQ(options->SendOnBehalfOf(), "");
    EXPECT_EQ(options->MeetingOrganizer(), "");
    EXPECT_EQ(options->CalendarFolderEntryID(), "");
    EXPECT_EQ(options->SynchronizationUser(), 0);
    EXPECT_TRUE(options->Panes().empty());
}

TEST_F(OptionsTest, ValuesAreWrittenWithTheirTypes) {
    options->SetSaveOutgoingMailMode(2);
    options->SetOutboxListenerDelay(500);
    options->SetKeloTimestamp(Date::FromParts(2024, 5, 1, 10, 15));
    options->SetAttachBusinessCard(true);
    EXPECT_EQ(settings->Value("SaveOutgoingMailMode").VarType(), Variant::Type::Integer);
    EXPECT_EQ(settings->Value("OutboxListenerDelay").VarType(), Variant::Type::Long);
    EXPECT_EQ(settings->Value("KeloTimestamp").VarType(), Variant::Type::Date);
    EXPECT_EQ(settings->Value("AttachBusinessCard").VarType(), Variant::Type::Boolean);
    // No cache: a second reader sees the value at once.
    Options other;
    other.SetSettings(settings);
    EXPECT_EQ(other.SaveOutgoingMailMode(), 2);
}

TEST_F(OptionsTest, ATextWhereANumberBelongsIsATypeMismatch) {
    settings->SetValue("SaveOutgoingMailMode", Variant("often"));
    const auto error = Raised([&] { options->SaveOutgoingMailMode(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), errors::TypeMismatch);
}

TEST_F(OptionsTest, WithoutSettingsEveryDatabaseOptionFails) {
    Options empty;
    EXPECT_THROW(empty.AllowExport(), ComError);
    EXPECT_NO_THROW(empty.CalendarFolderEntryID());  // per-user values need no database
}

TEST_F(OptionsTest, PanesAreNumberedFromOne) {
    options->SetPanes({"AA01", "BB02", "CC03"});
    EXPECT_EQ(options->Panes(), (std::vector<std::string>{"AA01", "BB02", "CC03"}));
    const auto panes = settings->Child("Panes");
    EXPECT_EQ(panes->Value("Count").ToLong(), 3);
    EXPECT_EQ(panes->Value("Folder-01").ToString(), "AA01");
    EXPECT_EQ(panes->Value("Folder-03").ToString(), "CC03");

    options->SetPanes({"DD04"});  // the old entries go
    EXPECT_TRUE(settings->Child("Panes")->Value("Folder-02").IsEmpty());
    EXPECT_EQ(options->Panes(), std::vector<std::string>{"DD04"});
}

TEST_F(OptionsTest, AnEmptyPaneEndsTheList) {
    const auto panes = settings->Child("Panes");
    panes->SetValue("Count", Variant(3));
    panes->SetValue("Folder-01", Variant("AA01"));
    panes->SetValue("Folder-03", Variant("CC03"));
    EXPECT_EQ(options->Panes(), std::vector<std::string>{"AA01"});
}

TEST_F(OptionsTest, ANegativePaneCountMeansTheCalendarAndTheInbox) {
    settings->Child("Panes")->SetValue("Count", Variant(-1));
    const auto panes = options->Panes();  // Outlook is started to ask it
    const auto session = Must(world.Outlook()).Session();
    EXPECT_EQ(panes, (std::vector<std::string>{session->GetDefaultFolder(outlook::olFolderCalendar)->EntryID(),
                                               session->GetDefaultFolder(outlook::olFolderInbox)->EntryID()}));
}

// Scripts reach the options by name, in any case, with values converted to
// each option's type on the way in.
TEST_F(OptionsTest, ScriptsSetAndGetByNameWithConversion) {
    const auto put = [&](const char* name, const Variant& value) { options->Invoke(name, InvokeKind::PropertyPut, {value}); };
    const auto get = [&](const char* name) { return options->Invoke(name, InvokeKind::PropertyGet, {}); };
    put("allowexport", Variant("False"));
    put("SaveOutgoingMailMode", Variant("2"));
    put("OutboxListenerDelay", Variant(2.6));
    put("KeloTimestamp", Variant("2024-05-01 10:15:00"));
    put("Panes", Variant("AA01, BB02"));
    EXPECT_FALSE(options->AllowExport());
    EXPECT_EQ(settings->Value("SaveOutgoingMailMode").VarType(), Variant::Type::Integer);
    EXPECT_EQ(get("SAVEOUTGOINGMAILMODE"), Variant(std::int16_t{2}));
    EXPECT_EQ(get("OutboxListenerDelay"), Variant(3));
    EXPECT_EQ(get("KeloTimestamp"), Variant(Date::FromParts(2024, 5, 1, 10, 15)));
    EXPECT_EQ(options->Panes(), (std::vector<std::string>{"AA01", "BB02"}));
    EXPECT_EQ(options->Invoke("GetSaveOutgoingMailModeForClass", InvokeKind::Method, {Variant(ObjectPtr())}),
              Variant(std::int16_t{2}));

    const auto fails = [&](const char* name, const Variant& value) {
        try {
            put(name, value);
        } catch (const ComError& error) {
            return error.Number();
        }
        return 0;
    };
    EXPECT_EQ(fails("SaveOutgoingMailMode", Variant("often")), errors::TypeMismatch);
    EXPECT_EQ(fails("SaveOutgoingMailMode", Variant(70000)), errors::Overflow);
    EXPECT_EQ(fails("NoSuchOption", Variant(1)), errors::NotSupported);
    EXPECT_EQ(options->SaveOutgoingMailMode(), 2);
}

TEST_F(OptionsTest, ScriptsReachTheSettingsCollectionByReference) {
    EXPECT_TRUE(SameObject(options->Invoke("Settings", InvokeKind::PropertyGet, {}).ToObject(), options->Settings()));
    const auto other = world.Kelo().Database()->Settings()->Child("Elsewhere");
    options->Invoke("settings", InvokeKind::PropertyPutRef, {Variant(other)});
    options->SetAllowExport(false);
    EXPECT_FALSE(other->Value("AllowExport").ToBoolean());
    EXPECT_TRUE(settings->Value("AllowExport").IsEmpty());
    options->Invoke("Settings", InvokeKind::PropertyPutRef, {Variant(ObjectPtr())});
    EXPECT_THROW(options->AllowExport(), ComError);
}

TEST_F(OptionsTest, PerUserValuesLiveInTheUsersSettings) {
    options->SetCalendarFolderEntryID("00CAFE");
    options->SetTasksFolderEntryID("00BEEF");
    EXPECT_EQ(world.System().Settings().GetSetting(kSettingsApplication, kSettingsSection, "CalendarFolder", ""), "00CAFE");
    EXPECT_EQ(world.System().Settings().GetSetting(kSettingsApplication, kSettingsSection, "TaskFolder", ""), "00BEEF");

    options->SetSynchronizationUser(7);
    EXPECT_EQ(world.System().Settings().GetSetting(kSettingsApplication, kSettingsSection, "User", ""), "7");
    EXPECT_EQ(options->SynchronizationUser(), 7);
    options->SetSynchronizationUser(0);
    EXPECT_FALSE(world.System().Settings().ReadValue(
        "Software\\VB and VBA Program Settings\\Brannovika\\Kelo Addins\\Outlook Integration\\Settings", "User"));
    EXPECT_EQ(options->SynchronizationUser(), 0);
    options->SetSynchronizationUser(0);  // already absent: no error
}

TEST_F(OptionsTest, OriginalNamesFallBackTwice) {
    EXPECT_EQ(options->OriginalDatabaseName(), world.Kelo().Database()->Name());
    EXPECT_EQ(options->OriginalServerName(), world.Kelo().Database()->Server());
    world.Kelo().Database()->Settings()->SetValue("OriginalDatabaseName", Variant("crm-before-move"));
    EXPECT_EQ(options->OriginalDatabaseName(), "crm-before-move");
    options->SetOriginalDatabaseName("crm-mine");
    EXPECT_EQ(options->OriginalDatabaseName(), "crm-mine");
    EXPECT_EQ(world.Kelo().Database()->Settings()->Value("OriginalDatabaseName").ToString(), "crm-before-move");
}

TEST_F(OptionsTest, SaveModePerClass) {
    auto& schema = world.Client().Data()->Metadata();
    schema.AddClass({"mailing", "Mailing", "Mailings", 12, "<id>"});
    const auto mailing = world.Kelo().Classes()->FindByName("mailing");
    const auto person = world.Kelo().Classes()->FindByLabel(2);

    EXPECT_EQ(options->GetSaveOutgoingMailModeForClass(nullptr), 1);
    EXPECT_EQ(options->GetSaveOutgoingMailModeForClass(person), 1);
    EXPECT_EQ(options->GetSaveOutgoingMailModeForClass(mailing), 2);  // label 12 turns 1 into 2
    options->SetSaveOutgoingMailMode(0);
    EXPECT_EQ(options->GetSaveOutgoingMailModeForClass(mailing), 0);
    settings->SetValue("PerClass\\person\\SaveOutgoingMailMode", std::int16_t{2});
    EXPECT_EQ(options->GetSaveOutgoingMailModeForClass(person), 2);
}

}  // namespace
}  // namespace ostrellix::addin

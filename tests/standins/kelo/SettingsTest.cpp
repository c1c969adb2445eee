#include <gtest/gtest.h>

#include "contracts/kelo/IProperties.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/Properties.h"
#include "standins/kelo/engine/SettingsCollection.h"
#include "tests/standins/kelo/KeloFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::kelo {
namespace {

using ostrellix::testing::Raised;

// The same behaviour for the database's settings and for "QVR.Properties".
class SettingsTest : public KeloFixture, public ::testing::WithParamInterface<bool> {
protected:
    Ptr<ostrellix::kelo::IProperties> Root() {
        if (GetParam()) return App().Database()->Settings();
        if (!memory_) memory_ = std::make_shared<Properties>();
        return memory_;
    }

private:
    Ptr<Properties> memory_;
};

TEST_P(SettingsTest, AbsentValuesGiveTheDefaultAndStoredValuesKeepTheirKinds) {
    const auto settings = Root()->Child("Ostrellix");
    EXPECT_EQ(settings->Value("AllowExport", Variant(true)).ToBoolean(), true);
    EXPECT_TRUE(settings->Value("Missing").IsEmpty());

    settings->SetValue("AllowExport", Variant(false));
    settings->SetValue("Mode", Variant(std::int16_t(2)));
    settings->SetValue("Delay", Variant(2000));
    settings->SetValue("Ratio", Variant(0.25));
    settings->SetValue("Since", Variant(Date::FromParts(1970, 1, 1)));
    settings->SetValue("Server", Variant("srv"));
    settings->SetValue("Nothing", Variant::Null());
    settings->SetValue("List", Variant(VariantArray{Variant("a"), Variant(1), Variant(true)}));

    const auto again = Root()->Child("OSTRELLIX");
    EXPECT_EQ(again->Value("allowexport", Variant(true)).VarType(), Variant::Type::Boolean);
    EXPECT_FALSE(again->Value("AllowExport", Variant(true)).ToBoolean());
    EXPECT_EQ(again->Value("Mode").VarType(), Variant::Type::Integer);
    EXPECT_EQ(again->Value("Delay").VarType(), Variant::Type::Long);
    EXPECT_EQ(again->Value("Ratio").ToDouble(), 0.25);
    EXPECT_EQ(again->Value("Since").VarType(), Variant::Type::Date);
    EXPECT_EQ(again->Value("Since").ToDate(), Date::FromParts(1970, 1, 1));
    EXPECT_TRUE(again->Value("Nothing").IsNull());
    const auto list = again->Value("List").ToArray();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].VarType(), Variant::Type::Long);
    EXPECT_EQ(list[2].VarType(), Variant::Type::Boolean);
    EXPECT_EQ(again->Names(), (std::vector<std::string>{"AllowExport", "Mode", "Delay", "Ratio", "Since", "Server",
                                                        "Nothing", "List"}));
}

TEST_P(SettingsTest, ChildCollectionsNestAndAreDeletedWithTheirValues) {
    const auto settings = Root()->Child("Ostrellix");
    settings->Child("Panes")->SetValue("Count", Variant(3));
    settings->Child("Panes")->SetValue("Folder-01", Variant("A"));
    settings->SetValue("PerClass\\person\\SaveOutgoingMailMode", Variant(std::int16_t(2)));
    EXPECT_EQ(settings->Child("PerClass")->Child("person")->Value("SaveOutgoingMailMode").ToInteger(), 2);
    EXPECT_EQ(settings->Value("PerClass\\todo\\SaveOutgoingMailMode", Variant(1)).ToLong(), 1);
    EXPECT_EQ(settings->ChildNames(), (std::vector<std::string>{"Panes", "PerClass"}));
    EXPECT_EQ(settings->Parent()->ChildNames(), std::vector<std::string>{"Ostrellix"});

    settings->Delete("Panes");
    EXPECT_EQ(settings->Child("Panes")->Value("Count", Variant(0)).ToLong(), 0);
    settings->Delete("NeverThere");
    settings->SetValue("User", Variant("7"));
    settings->Delete("User");
    EXPECT_TRUE(settings->Value("User").IsEmpty());
    EXPECT_THROW(settings->SetValue("a\\\\b", Variant(1)), ComError);
    EXPECT_EQ(Root()->Parent(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& store) { return store.param ? "Database" : "Memory"; });

using DatabaseSettingsTest = KeloFixture;

TEST_F(DatabaseSettingsTest, SettingsOutliveTheClientAndRefuseObjects) {
    const std::string path = (dir.Path() / "settings.kelo").string();
    {
        auto engine = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
        auto root = SettingsCollection::Root(engine);
        root->Child("Ostrellix")->SetValue("OriginalDatabaseName", Variant("crm"));
        EXPECT_THROW(root->SetValue("Object", Variant(root)), ComError);
    }
    auto engine = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
    EXPECT_EQ(SettingsCollection::Root(engine)->Value("Ostrellix\\OriginalDatabaseName").ToString(), "crm");
    EXPECT_TRUE(SettingsCollection::Root(engine)->Value("Object").IsEmpty());
}

// Reads keep their compiled statements between calls; each must end its
// read, or a second client on the same file would go unseen. A value read
// before is not given again once anyone changed it or took a change back.
TEST_F(DatabaseSettingsTest, RepeatedReadsSeeWhatAnotherClientStoredMeanwhile) {
    const std::string path = (dir.Path() / "shared.kelo").string();
    auto mine = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
    auto theirs = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
    const auto myView = SettingsCollection::Root(mine)->Child("Ostrellix");
    const auto theirView = SettingsCollection::Root(theirs)->Child("Ostrellix");
    for (const int user : {7, 8, 9}) {
        theirView->SetValue("SynchronizationUser", Variant(user));
        EXPECT_EQ(myView->Value("SynchronizationUser").ToLong(), user);
    }
    // Read while their write was not committed yet, and again after it was.
    theirs->Transact([&] {
        theirView->SetValue("SynchronizationUser", Variant(10));
        EXPECT_EQ(myView->Value("SynchronizationUser").ToLong(), 9);
    });
    EXPECT_EQ(myView->Value("SynchronizationUser").ToLong(), 10);
    // A write read back and then rolled back is not what a read gives after.
    EXPECT_THROW(mine->Transact([&] {
        myView->SetValue("SynchronizationUser", Variant(11));
        EXPECT_EQ(myView->Value("SynchronizationUser").ToLong(), 11);
        throw ComError(5, "test", "undone");
    }),
                 ComError);
    EXPECT_EQ(myView->Value("SynchronizationUser").ToLong(), 10);
    EXPECT_EQ(theirView->Value("SynchronizationUser").ToLong(), 10);
}

TEST_F(DatabaseSettingsTest, ACollectionDeletedUnderAHolderSaysSo) {
    const auto root = App().Database()->Settings();
    const auto panes = root->Child("Ostrellix\\Panes");
    panes->SetValue("Count", Variant(1));
    root->Child("Ostrellix")->Delete("Panes");
    EXPECT_TRUE(panes->Value("Count").IsEmpty());
    const auto error = Raised([&] { panes->SetValue("Count", Variant(2)); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->Description().find("deleted"), std::string::npos);
    EXPECT_TRUE(root->Child("Ostrellix")->ChildNames().empty());
}

TEST_F(DatabaseSettingsTest, AMemoryPropertySetHoldsObjects) {
    auto properties = std::make_shared<Properties>();
    auto filter = App().CreateObject("QVR.Filter");
    properties->SetValue("Filter", Variant(filter));
    EXPECT_TRUE(SameObject(properties->Value("Filter").ToObject(), filter));
}

}  // namespace
}  // namespace ostrellix::standin::kelo

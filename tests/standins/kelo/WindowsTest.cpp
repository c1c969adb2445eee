#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/Records.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

namespace recordstate = ostrellix::kelo::recordstate;

class WindowsTest : public KeloFixture {
protected:
    WindowsTest() {
        changed = App().Events().AfterActiveInspectorChanged.Connect([this] {
            const auto active = App().ActiveInspector();
            journal.push_back(active ? "active " + active->Record()->Descriptive() : "active none");
        });
    }
    // Follows the window's events into the journal, as an add-in's listener would.
    void Follow(const Ptr<ostrellix::kelo::IInspector>& window) {
        const std::string name = window->Record()->Descriptive();
        followed.push_back(window->Events().BeforeShow.Connect([this, name] { journal.push_back("show " + name); }));
        followed.push_back(window->Events().AfterSave.Connect([this, name] { journal.push_back("saved " + name); }));
        followed.push_back(window->Events().AfterClose.Connect([this, name] { journal.push_back("closed " + name); }));
    }
    std::vector<std::string> journal;
    Connection changed;
    std::vector<Connection> followed;
};

TEST_F(WindowsTest, ShowingAWindowMakesItActiveBeforeBeforeShowSoThatAListenerCanAttachFirst) {
    Connection attach = App().Events().AfterActiveInspectorChanged.Connect([this] {
        const auto active = App().ActiveInspector();
        if (active && active->Value("listener").IsEmpty()) {
            active->SetValue("listener", Variant(true));
            Follow(active);
        }
    });
    const auto window = user.OpenRecord("person", IdOf("person", "lastname", Variant("Ek")));
    EXPECT_EQ(journal, (std::vector<std::string>{"active Johan Ek", "show Johan Ek"}));
    EXPECT_TRUE(window->Shown());
    user.Edit(window, "jobtitle", Variant("Buyer"));
    EXPECT_TRUE(window->Changed());
    EXPECT_EQ(window->State(), recordstate::Loaded | recordstate::Changed);
    user.Save(window);
    EXPECT_FALSE(window->Changed());
    EXPECT_EQ(Load("person", window->Record()->ID())->Text("jobtitle"), "Buyer");
    user.Close(window);
    EXPECT_EQ(journal.back(), "active none");
    EXPECT_EQ(journal[journal.size() - 2], "closed Johan Ek");
    EXPECT_TRUE(window->Value("listener").IsEmpty());  // named values go with the window
    EXPECT_THROW(window->Show(), ComError);
}

TEST_F(WindowsTest, TheActiveInspectorFollowsTheFrontWindow) {
    const auto first = user.OpenRecord("person", IdOf("person", "lastname", Variant("Ek")));
    const auto second = user.NewRecord("todo");
    EXPECT_TRUE(SameObject(App().ActiveInspector(), second));
    EXPECT_EQ(second->State(), recordstate::New);
    user.Activate(first);
    EXPECT_TRUE(SameObject(App().ActiveInspector(), first));
    const auto list = user.OpenList("company");
    EXPECT_EQ(App().ActiveInspector(), nullptr);
    EXPECT_TRUE(SameObject(App().ActiveExplorer(), list));
    user.Activate(second);
    EXPECT_TRUE(SameObject(App().ActiveExplorer(), list));  // still the list window behind
    user.Close(second);
    EXPECT_EQ(App().ActiveInspector(), nullptr);  // the list is in front now
    EXPECT_EQ(journal, (std::vector<std::string>{"active Johan Ek", "active ", "active Johan Ek", "active none",
                                                 "active ", "active none"}));
}

TEST_F(WindowsTest, SavingARecordTheCheckRefusesRaisesNoAfterSave) {
    const auto window = user.NewRecord("person");
    Follow(window);
    user.Edit(window, "firstname", Variant("Anonymous"));
    EXPECT_THROW(user.Save(window), ComError);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "saved Anonymous"), 0);
    EXPECT_TRUE(window->Changed());
}

TEST_F(WindowsTest, ShowRecordOpensAHiddenWindowWithItsParent) {
    const auto parent = user.OpenRecord("company", IdOf("company", "name", Variant("Tallbacka Konsult")));
    auto record = NewRecord("todo");
    const auto window = App().ShowRecord(record, parent, ostrellix::kelo::kShowModeNewWindow);
    EXPECT_FALSE(As<Inspector>(window)->Shown());
    EXPECT_TRUE(SameObject(window->ParentInspector(), parent));
    EXPECT_TRUE(SameObject(App().ActiveInspector(), parent));
    window->SetValue("OutlookItem", Variant("item"));
    window->Show();
    EXPECT_TRUE(SameObject(App().ActiveInspector(), window));
    EXPECT_EQ(window->Value("outlookitem").ToString(), "item");
    // Mode 1 finds the window that shows the record already.
    EXPECT_TRUE(SameObject(App().ShowRecord(Load("company", parent->Record()->ID()), nullptr, 1), parent));
    EXPECT_THROW(App().ShowRecord(record, nullptr, 5), ComError);
}

TEST_F(WindowsTest, AListWindowHasAnActiveItemASelectionAndACard) {
    const auto list = user.OpenList("person");
    EXPECT_EQ(list->ActiveItem(), nullptr);
    EXPECT_EQ(list->Inspector(), nullptr);
    EXPECT_EQ(list->ParentInspector(), nullptr);
    EXPECT_EQ(list->List()->Count(), 5);
    const std::int32_t ek = IdOf("person", "lastname", Variant("Ek"));
    const std::int32_t dahl = IdOf("person", "lastname", Variant("Dahl"));
    user.Select(list, {dahl, ek});
    EXPECT_EQ(list->ActiveItem()->ID(), dahl);
    EXPECT_EQ(list->Inspector()->Record()->ID(), dahl);
    EXPECT_EQ(list->List()->CurrentRecord()->ID(), dahl);
    EXPECT_EQ(list->Selection()->Count(), 2);
    EXPECT_EQ(list->Selection()->Item(2)->Record()->Descriptive(), "Johan Ek");

    Records selected(Engine());
    selected.LoadFromSelection(list, {"company.name"});
    ASSERT_EQ(selected.Count(), 2);
    EXPECT_EQ(selected.Item(1)->ID(), dahl);
    EXPECT_EQ(selected.Item(2)->Text("company.name"), "Nordvik Trading AB");
    EXPECT_THROW(user.Select(list, {999}), ComError);
}

TEST_F(WindowsTest, AListEmbeddedInARecordWindowShowsThatWindowsCard) {
    const auto company = user.OpenRecord("company", IdOf("company", "name", Variant("Nordvik Trading AB")));
    auto filter = std::make_shared<Filter>();
    filter->Add("company", ostrellix::kelo::op::Equal, Variant(company->Record()->ID()));
    const auto persons = user.OpenList("person", filter, company);
    EXPECT_EQ(persons->List()->Count(), 2);
    user.SetActiveItem(persons, persons->Rows().front());
    EXPECT_TRUE(SameObject(persons->ParentInspector(), company));
    EXPECT_TRUE(SameObject(persons->Inspector(), company));
    EXPECT_EQ(persons->ActiveItem()->Record()->Class()->Name(), "person");
}

}  // namespace
}  // namespace ostrellix::standin::kelo

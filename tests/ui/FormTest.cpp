#include <gtest/gtest.h>

#include "core/Form.h"
#include "standins/system/FormHost.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin {
namespace {

using ostrellix::testing::Raised;
using Kind = FormControl::Kind;
using standin::system::FormHost;

// A dialog that counts its events and closes on OK.
class CountingForm : public Form {
public:
    explicit CountingForm(std::string name = "FormCounting")
        : Form(std::move(name), "Caption",
               {{.name = "CtrlFrame", .kind = Kind::Frame},
                {.name = "CtrlBox", .kind = Kind::CheckBox, .value = Variant(std::int16_t{0}), .container = "CtrlFrame"},
                {.name = "CtrlA(0)", .kind = Kind::OptionButton, .value = Variant(true), .container = "CtrlFrame"},
                {.name = "CtrlA(1)", .kind = Kind::OptionButton, .value = Variant(false), .container = "CtrlFrame"},
                {.name = "CtrlB", .kind = Kind::OptionButton, .value = Variant(true)},
                {.name = "CtrlList", .kind = Kind::ListBox, .list = {"one", "two"}},
                {.name = "CtrlText", .kind = Kind::TextBox, .value = Variant("")},
                {.name = "CtrlOK", .kind = Kind::CommandButton}}) {
        for (const char* name : {"CtrlBox", "CtrlA(1)", "CtrlList", "CtrlText"}) On(name, [this] { ++events; });
        On("CtrlOK", [this] { Hide(); });
    }
    int events = 0;
    int loads = 0;

protected:
    void Form_Load() override { ++loads; }
};

TEST(FormTest, ActsRaiseEventsAndChangeOnlyWhatThePlatformChanges) {
    CountingForm form;
    EXPECT_TRUE(Raised([&] { form.Click("CtrlBox"); })) << "not shown yet";
    form.Load();
    form.Click("CtrlBox");
    form.Click("CtrlA(1)");
    form.Choose("CtrlList", 1);
    form.Type("CtrlText", "typed");
    EXPECT_EQ(form.events, 4);
    EXPECT_EQ(form.State("CtrlBox").value.ToLong(), 1);
    EXPECT_FALSE(form.State("CtrlA(0)").value.ToBoolean()) << "the other button of the frame is cleared";
    EXPECT_TRUE(form.State("CtrlB").value.ToBoolean()) << "a button outside the frame is not";
    EXPECT_EQ(form.State("CtrlList").Text(), "two");
    EXPECT_EQ(form.State("CtrlText").value.ToString(), "typed");

    form.Ctrl("CtrlBox").value = Variant(std::int16_t{0});  // the program's own change
    EXPECT_EQ(form.events, 4);
    EXPECT_TRUE(Raised([&] { form.Choose("CtrlList", 2); }));
    EXPECT_TRUE(Raised([&] { form.Click("CtrlNone"); }));
    form.Ctrl("CtrlFrame").enabled = false;
    EXPECT_TRUE(Raised([&] { form.Click("CtrlBox"); })) << "a disabled frame keeps its controls out of reach";
    EXPECT_EQ(form.events, 4);
}

TEST(FormTest, TheHostPlaysThePlanForThatDialogAndClosesWhatIsLeftOpen) {
    FormHost host;
    host.PlanNext("FormOther", [](win::IForm& form) { form.Click("CtrlOK"); });
    host.PlanNext("FormCounting", [](win::IForm& form) { form.Click("CtrlBox"); });

    const auto left = std::make_shared<CountingForm>();
    host.ShowModal(left);
    EXPECT_EQ(left->loads, 1);
    EXPECT_FALSE(left->Visible());
    ASSERT_EQ(host.History().size(), 1u);
    EXPECT_TRUE(host.History()[0].planned);
    EXPECT_TRUE(host.History()[0].closedByHost) << "the plan did not click OK";

    const auto unplanned = std::make_shared<CountingForm>();
    host.ShowModal(unplanned);
    EXPECT_FALSE(host.Last("FormCounting")->planned);
    EXPECT_EQ(unplanned->events, 0);

    const auto other = std::make_shared<CountingForm>("FormOther");
    host.ShowModal(other);
    EXPECT_FALSE(host.Last("FormOther")->closedByHost) << "the plan made for it long before still applies";

    host.PlanNext("FormCounting", [](win::IForm& form) { form.Click("CtrlNone"); });
    const auto failing = std::make_shared<CountingForm>();
    EXPECT_TRUE(Raised([&] { host.ShowModal(failing); }));
    EXPECT_FALSE(failing->Visible()) << "a plan that fails leaves no dialog open";
}

}  // namespace
}  // namespace ostrellix::addin

#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IProgress.h"
#include "contracts/kelo/IWorkDialog.h"
#include "standins/kelo/client/WorkDialog.h"
#include "standins/kelo/engine/Filter.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

namespace dialogresult = ostrellix::kelo::dialogresult;

class WorkDialogTest : public KeloFixture {
protected:
    Ptr<ostrellix::kelo::IWorkDialog> NewDialog() {
        return As<ostrellix::kelo::IWorkDialog>(App().CreateObject("Kelo.Dialog"));
    }
};

TEST_F(WorkDialogTest, ShowRaisesWorkWithTheParametersAndReportsTheProgress) {
    auto dialog = NewDialog();
    dialog->SetParameter("Full", Variant(true));
    Connection work = dialog->Events().Work.Connect([&] {
        EXPECT_TRUE(dialog->Parameter("FULL").ToBoolean());
        for (int percent : {25, 50, 75, 100}) {
            if (dialog->Cancelled()) return;
            dialog->SetProgress(percent);
        }
        dialog->SetParameter("Item", Variant("done"));
    });
    EXPECT_EQ(dialog->Show(), dialogresult::OK);
    EXPECT_EQ(dialog->Parameter("Item").ToString(), "done");
    ASSERT_EQ(App().Dialogs()->Reports().size(), 1u);
    const auto& report = App().Dialogs()->Reports().back();
    EXPECT_EQ(report.progress, (std::vector<std::int32_t>{25, 50, 75, 100}));
    EXPECT_FALSE(report.cancelled);
}

TEST_F(WorkDialogTest, TheUserCancelsAfterTheNthStepAndTheWorkStopsAtItsNextLook) {
    user.CancelNextWorkDialogAfter(2);
    auto dialog = NewDialog();
    int steps = 0;
    int cancels = 0;
    Connection cancel = dialog->Events().Cancel.Connect([&] { ++cancels; });
    Connection work = dialog->Events().Work.Connect([&] {
        for (int i = 1; i <= 10 && !dialog->Cancelled(); ++i) {
            dialog->SetProgress(i * 10);
            ++steps;
        }
    });
    EXPECT_EQ(dialog->Show(), dialogresult::Cancelled);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(dialog->Cancelled());
    // The plan was for one dialog: the next one runs to its end.
    auto next = NewDialog();
    Connection nextWork = next->Events().Work.Connect([&] { next->SetProgress(100); });
    EXPECT_EQ(next->Show(), dialogresult::OK);
}

TEST_F(WorkDialogTest, TheUserCanCancelBetweenTwoLooksWhileNoProgressIsShown) {
    user.CancelNextWorkDialogAtLook(3);
    auto dialog = NewDialog();
    int looks = 0;
    int cancels = 0;
    Connection cancel = dialog->Events().Cancel.Connect([&] { ++cancels; });
    Connection work = dialog->Events().Work.Connect([&] {
        while (!dialog->Cancelled()) ++looks;
    });
    EXPECT_EQ(dialog->Show(), dialogresult::Cancelled);
    EXPECT_EQ(looks, 2);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(App().Dialogs()->Reports().back().progress.empty());
    // Looks before the dialog is shown do not count.
    user.CancelNextWorkDialogAtLook(1);
    auto next = NewDialog();
    EXPECT_FALSE(next->Cancelled());
    Connection nextWork = next->Events().Work.Connect([&] { EXPECT_TRUE(next->Cancelled()); });
    EXPECT_EQ(next->Show(), dialogresult::Cancelled);
}

TEST_F(WorkDialogTest, WithoutACancelButtonTheUserCannotCancel) {
    user.CancelNextWorkDialogAfter(1);
    auto dialog = NewDialog();
    dialog->SetStyle(ostrellix::kelo::dialogstyle::ProgressBar);
    Connection work = dialog->Events().Work.Connect([&] {
        dialog->SetProgress(50);
        dialog->SetProgress(100);
    });
    EXPECT_EQ(dialog->Show(), dialogresult::OK);
    EXPECT_FALSE(dialog->Cancelled());
}

TEST_F(WorkDialogTest, TheProgressInterfaceCountsStepsAndCanBeCancelled) {
    user.CancelNextWorkDialogAfter(3);
    auto progress = As<ostrellix::kelo::IProgress>(App().CreateObject("Kelo.Dialog"));
    ASSERT_TRUE(progress);
    progress->Initialize(4, 1, "", true);
    int sent = 0;
    for (const char* address : {"a@x.se", "b@x.se", "c@x.se", "d@x.se"}) {
        if (progress->Cancelled()) break;
        progress->SetMessage(std::string("Sending to ") + address);
        progress->Step(1);
        ++sent;
    }
    EXPECT_EQ(sent, 3);
    const auto& shown = As<WorkDialog>(progress)->Current();
    EXPECT_EQ(shown.progress, (std::vector<std::int32_t>{25, 50, 75}));
    EXPECT_EQ(shown.messages.back(), "Sending to c@x.se");
}

TEST_F(WorkDialogTest, WithAFilterParameterItIsTheFilterEditor) {
    auto filter = std::make_shared<Filter>();
    user.PlanFilterEdit([](ostrellix::kelo::IFilter& edited) {
        edited.Add("email", ostrellix::kelo::op::Contains, Variant("nordvik"));
    });
    auto dialog = NewDialog();
    dialog->SetParameter("Class", Variant(Class("person")));
    dialog->SetParameter("Filter", Variant(filter));
    bool worked = false;
    Connection work = dialog->Events().Work.Connect([&] { worked = true; });
    EXPECT_EQ(dialog->Show(), dialogresult::OK);
    EXPECT_FALSE(worked);
    EXPECT_EQ(filter->Description(), "email contains \"nordvik\"");
    // Without a plan the user cancels.
    EXPECT_EQ(dialog->Show(), dialogresult::Cancelled);
}

}  // namespace
}  // namespace ostrellix::standin::kelo

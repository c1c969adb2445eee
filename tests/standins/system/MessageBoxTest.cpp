#include <gtest/gtest.h>

#include <sstream>

#include "standins/system/ConsoleMessageBox.h"

namespace ostrellix::standin::system {
namespace {

using Policy = ConsoleMessageBox::Policy;
using namespace win::mb;

TEST(MessageBoxTest, PoliciesAnswerWithTheButtonsOnOffer) {
    EXPECT_EQ(ConsoleMessageBox::PolicyAnswer(Policy::Yes, YesNo | IconQuestion), AnswerYes);
    EXPECT_EQ(ConsoleMessageBox::PolicyAnswer(Policy::No, YesNo), AnswerNo);
    EXPECT_EQ(ConsoleMessageBox::PolicyAnswer(Policy::No, OKCancel), AnswerCancel);
    EXPECT_EQ(ConsoleMessageBox::PolicyAnswer(Policy::No, OK | IconExclamation), AnswerOK);
    EXPECT_EQ(ConsoleMessageBox::PolicyAnswer(Policy::Yes, OKCancel), AnswerOK);
    EXPECT_EQ(ConsoleMessageBox::PolicyAnswer(Policy::DefaultButton, YesNo | DefaultButton2), AnswerNo);
    EXPECT_EQ(ConsoleMessageBox::PolicyAnswer(Policy::DefaultButton, YesNoCancel | DefaultButton3), AnswerCancel);
}

TEST(MessageBoxTest, QueuedAnswersComeFirstThenThePolicy) {
    std::istringstream in;
    std::ostringstream out;
    ConsoleMessageBox box(in, out, false, Policy::Yes);
    std::vector<std::int32_t> answers;
    Connection c = box.Shown.Connect(
        [&](const std::string&, const std::string&, std::int32_t, std::int32_t answer) { answers.push_back(answer); });
    box.QueueAnswer(AnswerNo);
    box.Show("Save in Outlook?", "Ostrellix", YesNo);
    box.Show("Save in Outlook?", "Ostrellix", YesNo);
    EXPECT_EQ(answers, (std::vector<std::int32_t>{AnswerNo, AnswerYes}));
    EXPECT_NE(out.str().find("Save in Outlook?"), std::string::npos);
}

TEST(MessageBoxTest, AsksAtATerminalUntilAnAnswerFits) {
    std::istringstream in("maybe\nn\n");
    std::ostringstream out;
    ConsoleMessageBox box(in, out, true, Policy::Ask);
    EXPECT_EQ(box.Show("Export 3 people to Outlook?", "Ostrellix", YesNo), AnswerNo);
    EXPECT_NE(out.str().find("Yes (y) / No (n)"), std::string::npos);
}

TEST(MessageBoxTest, AskWithoutATerminalTakesTheDefaultButton) {
    std::istringstream in("y\n");
    std::ostringstream out;
    ConsoleMessageBox box(in, out, false, Policy::Ask);
    EXPECT_EQ(box.Show("Delete?", "Ostrellix", YesNo | DefaultButton2), AnswerNo);
    EXPECT_EQ(in.tellg(), 0);  // nothing was read
}

}  // namespace
}  // namespace ostrellix::standin::system

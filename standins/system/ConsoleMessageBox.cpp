#include "standins/system/ConsoleMessageBox.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace ostrellix::standin::system {

namespace {

struct Button {
    const char* label;
    char key;
    std::int32_t answer;
};

std::vector<Button> ButtonsOf(std::int32_t flags) {
    switch (flags & 0xF) {
        case win::mb::OKCancel: return {{"OK", 'o', win::mb::AnswerOK}, {"Cancel", 'c', win::mb::AnswerCancel}};
        case 2: return {{"Abort", 'a', 3}, {"Retry", 'r', 4}, {"Ignore", 'i', 5}};
        case win::mb::YesNoCancel:
            return {{"Yes", 'y', win::mb::AnswerYes}, {"No", 'n', win::mb::AnswerNo}, {"Cancel", 'c', win::mb::AnswerCancel}};
        case win::mb::YesNo: return {{"Yes", 'y', win::mb::AnswerYes}, {"No", 'n', win::mb::AnswerNo}};
        case 5: return {{"Retry", 'r', 4}, {"Cancel", 'c', win::mb::AnswerCancel}};
        default: return {{"OK", 'o', win::mb::AnswerOK}};
    }
}

std::size_t DefaultIndex(std::int32_t flags, std::size_t buttonCount) {
    const std::size_t index = (flags & win::mb::DefaultButton3) ? 2 : (flags & win::mb::DefaultButton2) ? 1 : 0;
    return index < buttonCount ? index : 0;
}

bool Offers(const std::vector<Button>& buttons, std::int32_t answer) {
    for (const Button& b : buttons) {
        if (b.answer == answer) return true;
    }
    return false;
}

}  // namespace

ConsoleMessageBox::ConsoleMessageBox(std::istream& in, std::ostream& out, bool inputIsTerminal, Policy policy)
    : in_(in), out_(out), inputIsTerminal_(inputIsTerminal), policy_(policy) {}

std::int32_t ConsoleMessageBox::PolicyAnswer(Policy policy, std::int32_t flags) {
    const std::vector<Button> buttons = ButtonsOf(flags);
    switch (policy) {
        case Policy::Yes:
            return Offers(buttons, win::mb::AnswerYes) ? win::mb::AnswerYes : buttons.front().answer;
        case Policy::No:
            if (Offers(buttons, win::mb::AnswerNo)) return win::mb::AnswerNo;
            if (Offers(buttons, win::mb::AnswerCancel)) return win::mb::AnswerCancel;
            return buttons.front().answer;
        default: return buttons[DefaultIndex(flags, buttons.size())].answer;
    }
}

std::int32_t ConsoleMessageBox::AskAtTerminal(std::string_view text, std::string_view caption, std::int32_t flags) {
    const std::vector<Button> buttons = ButtonsOf(flags);
    const Button& preset = buttons[DefaultIndex(flags, buttons.size())];
    for (;;) {
        out_ << "\n[" << caption << "]\n" << text << "\n";
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            out_ << (i ? " / " : "") << buttons[i].label << " (" << buttons[i].key << ")";
        }
        out_ << " [" << preset.key << "]: " << std::flush;
        std::string line;
        if (!std::getline(in_, line)) return preset.answer;  // end of input: the default button
        if (line.empty()) return preset.answer;
        const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(line.front())));
        for (const Button& b : buttons) {
            if (b.key == key) return b.answer;
        }
    }
}

std::int32_t ConsoleMessageBox::Show(std::string_view text, std::string_view caption, std::int32_t flags) {
    std::int32_t answer;
    if (!queued_.empty()) {
        answer = queued_.front();
        queued_.pop_front();
    } else if (policy_ == Policy::Ask && inputIsTerminal_) {
        answer = AskAtTerminal(text, caption, flags);
    } else {
        answer = PolicyAnswer(policy_ == Policy::Ask ? Policy::DefaultButton : policy_, flags);
        out_ << "\n[" << caption << "]\n" << text << "\n";
        for (const Button& b : ButtonsOf(flags)) {
            if (b.answer == answer) out_ << "-> " << b.label << "\n";
        }
    }
    Shown.Raise(std::string(text), std::string(caption), flags, answer);
    return answer;
}

}  // namespace ostrellix::standin::system

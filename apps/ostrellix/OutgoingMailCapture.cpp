#include "apps/ostrellix/OutgoingMailCapture.h"

#include <algorithm>

namespace ostrellix::host {

namespace {

constexpr const char* kHandledBy = "SaveAsDocument - Handled by ";
// Well past the add-in's filing delay, and short of any other timer of its.
constexpr std::int32_t kWaitAfterSend = 1000;

}  // namespace

OutgoingMailCapture::OutgoingMailCapture(Machine& machine) : machine_(machine) {
    debugOutput_ = machine.System().DebugOutput().Written.Connect(
        [this](const std::string& line) { lines_.push_back(line); });
}

void OutgoingMailCapture::WaitForFiling() { machine_.KeloUser().AdvanceTime(kWaitAfterSend); }

bool OutgoingMailCapture::Said(const std::string& text) const {
    return std::ranges::any_of(lines_, [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

std::string OutgoingMailCapture::WhyNotFiled(std::int16_t mode) const {
    // Modes 1 (ask first) and 2 (always) follow outgoing mail; any other follows none.
    if (mode != 1 && mode != 2) {
        return "SaveOutgoingMailFromOutlookMode is " + std::to_string(mode) + ": mail sent from Outlook is not saved";
    }
    if (Said("SaveAsDocument - Ignored mail to internal recipient")) return "the mail is to an internal recipient";
    for (const std::string& line : lines_) {
        const auto at = line.find(kHandledBy);
        if (at == std::string::npos) continue;
        std::string how = line.substr(at + std::string(kHandledBy).size());
        while (!how.empty() && (how.back() == '\n' || how.back() == '\r')) how.pop_back();
        return "taken by a handler of the client (" + how + ")";
    }
    if (!Said("SaveAsDocument - Processing")) return "the add-in did not take up the mail (see ostrellix log)";
    if (mode == 1 && !Said("SaveAsDocument - Opening inspector")) return "the user declined to save it";
    return "the add-in filed nothing (see ostrellix log)";
}

}  // namespace ostrellix::host

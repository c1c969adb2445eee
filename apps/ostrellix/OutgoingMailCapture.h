#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "apps/ostrellix/Machine.h"
#include "runtime/Connection.h"

namespace ostrellix::host {

// Why a mail the user sent was not filed in Kelo. The add-in decides that
// on its own timer, after Send, and says why only in its debug lines, so
// they are read from the debugger output from the moment this is made.
class OutgoingMailCapture {
public:
    explicit OutgoingMailCapture(Machine& machine);
    OutgoingMailCapture(const OutgoingMailCapture&) = delete;
    OutgoingMailCapture& operator=(const OutgoingMailCapture&) = delete;

    // The user waits a moment after Send: the add-in's filing timer fires.
    void WaitForFiling();
    // The reason, given the SaveOutgoingMailFromOutlookMode the mail was sent under.
    std::string WhyNotFiled(std::int16_t mode) const;

private:
    bool Said(const std::string& text) const;

    Machine& machine_;
    std::vector<std::string> lines_;
    Connection debugOutput_;
};

}  // namespace ostrellix::host

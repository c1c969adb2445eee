#pragma once

#include <cstdint>
#include <functional>

#include "contracts/win/IDebugOutput.h"

namespace ostrellix::standin::message {

// What reading and writing message files takes from the machine: the
// system's ANSI code page, for the 8-bit text of a message that names no
// code page, and the debugger output, which hears of text that did not
// decode and of whatever the file libraries (libgsf, gmime) complain about.
// Without a debugger output those lines are dropped: they never reach the
// terminal, where the error that names the file is what the user sees.
struct MessageFileHost {
    std::uint32_t ansiCodePage = 1252;
    win::IDebugOutput* debugOutput = nullptr;
    // Asked before a file is written: true when the disk is full.
    std::function<bool()> diskFull;
};

}  // namespace ostrellix::standin::message

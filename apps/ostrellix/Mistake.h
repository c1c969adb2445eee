#pragma once

#include <string>

namespace ostrellix::host {

// A mistake in what the command line asked for (a name that is not there,
// a value of the wrong form): the program prints `what` on one line and
// exits 2.
[[noreturn]] void Mistake(const std::string& what);

}  // namespace ostrellix::host

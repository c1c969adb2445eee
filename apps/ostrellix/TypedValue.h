#pragma once

#include <string>

#include "runtime/Variant.h"

namespace ostrellix::host {

// A value typed on the command line for a property or field, as a value of
// the kind it holds now: a date ("YYYY-MM-DD hh:mm"), true or false, a
// number, or text. Text that is not of that kind is the user's mistake
// (a ComError of source "ostrellix" naming `name`).
class TypedValue {
public:
    static Variant FromText(const std::string& name, const Variant& current, const std::string& text);
};

}  // namespace ostrellix::host

#pragma once

#include <string>

#include "apps/ostrellix/Host.h"

namespace ostrellix::host {

// `ostrellix options list|get NAME|set NAME VALUE`: every option of the
// add-in by its property name. Values are checked against the option's
// kind: Booleans as true/false/yes/no/1/0, numbers in range, dates as
// YYYY-MM-DD[ hh:mm[:ss]], lists as comma-separated texts.
class OptionsCommand {
public:
    static int List(Host& host);
    static int Get(Host& host, const std::string& name);
    static int Set(Host& host, const std::string& name, const std::string& value);
};

}  // namespace ostrellix::host

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrellix::standin::kelo {

// A name of a value or child collection in a property tree: parts joined by
// backslashes ("PerClass\person\SaveOutgoingMailMode"). Raises 5 for an
// empty name or an empty part.
std::vector<std::string> SplitNamePath(std::string_view name);

}  // namespace ostrellix::standin::kelo

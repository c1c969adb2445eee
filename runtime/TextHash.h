#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace ostrellix {

// Hashes text of any string type alike, so that a map keyed by std::string
// and declared with TextHash and std::equal_to<> is searched by a view
// without making a string of it.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
};

}  // namespace ostrellix

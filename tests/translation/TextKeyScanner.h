#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrellix::tests {

// Finds the text keys that add-in code spells out: the first argument of
// GetText("Key", ...) when it is a lone literal, and TextKey("Key"), the
// marker for keys kept in tables. A literal glued to more text
// (GetText("Form." + name)) is a key built at run time and is not reported.
class TextKeyScanner {
public:
    struct Use {
        std::string key;  // as written in the code
        int line = 0;
    };

    static std::vector<Use> Scan(std::string_view source);

    // The key the bundle holds for a key used in code: short keys live under "Text.".
    static std::string BundleKey(std::string_view key);
};

}  // namespace ostrellix::tests

#pragma once

#include <map>
#include <string>
#include <string_view>

#include "contracts/kelo/ITranslator.h"

namespace ostrellix::standin::translator {

// The translation library ("Brannovika.Translator"). A bundle is the file
// "<bundle>.<language>.txt" in the folder, UTF-8, one text a line:
//
//     # a comment
//     Text.CategoryName = Kelo
//     Text.InternalError = An internal error occurred.\r\nPlease try again.
//
// The key runs to the first " = "; the text after it may hold the escapes
// \r \n \t \\. Blank lines and lines starting with '#' are skipped. When
// the language has no bundle, English ("en") is loaded; a language such as
// "sv-SE" is looked for as "sv-SE", then "sv", then "en".
class Translator final : public ostrellix::kelo::ITranslator {
public:
    void SetFolder(std::string_view folder) override { folder_ = folder; }
    void Load(std::string_view bundle, std::string_view language) override;
    std::string Text(std::string_view key) override;

    // Reads one bundle file; raises naming the file and line on a malformed line.
    static std::map<std::string, std::string, std::less<>> ReadBundle(const std::string& path);

private:
    std::string folder_;
    std::string loaded_;
    std::map<std::string, std::string, std::less<>> texts_;
};

}  // namespace ostrellix::standin::translator

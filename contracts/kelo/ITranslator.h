#pragma once

#include <string>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// The translation library ("Brannovika.Translator"): bundles of texts by
// key, one per bundle name and language, in a folder.
class ITranslator : public virtual Object {
public:
    virtual void SetFolder(std::string_view folder) = 0;
    // Raises when the folder holds no bundle of that name for the language
    // or for English.
    virtual void Load(std::string_view bundle, std::string_view language) = 0;
    // Raises when the loaded bundle lacks the key.
    virtual std::string Text(std::string_view key) = 0;
};

}  // namespace ostrellix::kelo

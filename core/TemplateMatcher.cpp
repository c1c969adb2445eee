#include "core/TemplateMatcher.h"

#include "runtime/Text.h"

namespace ostrellix::addin {

TemplateMatcher::TemplateMatcher(const Ptr<kelo::IClass>& cls, const Ptr<kelo::IField>& field) {
    const std::string name = cls->Name();
    const std::string localName = cls->LocalName();
    prefixes_ = {text::LCase(name), text::LCase(localName)};
    if (field) {
        prefixes_.push_back(text::LCase(name + "." + field->Name()));
        prefixes_.push_back(text::LCase(localName + "." + field->LocalName()));
    }
}

bool TemplateMatcher::Matches(const Ptr<kelo::IDocumentTemplate>& documentTemplate) const {
    const std::string extension = text::LCase(documentTemplate->Extension());
    if (extension != "msg" && extension != "eml") return false;
    const std::string location = text::LCase(documentTemplate->Location());
    for (const std::string& prefix : prefixes_) {
        if (prefix.starts_with(location)) return true;
    }
    return false;
}

}  // namespace ostrellix::addin

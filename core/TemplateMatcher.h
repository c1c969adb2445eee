#pragma once

#include <string>
#include <vector>

#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IDocumentTemplate.h"
#include "contracts/kelo/IField.h"

namespace ostrellix::addin {

// Which mail templates belong to a class, or to a field of it. A template's
// location text names where it belongs ("person", "Person.E-mail" ...); it
// belongs when one of the class's names, or with a field one of the
// "class.field" names, begins with it, without regard to case. So a
// template of the class is offered for each of its fields too, and one with
// no location is offered everywhere.
class TemplateMatcher {
public:
    TemplateMatcher(const Ptr<kelo::IClass>& cls, const Ptr<kelo::IField>& field);

    // Only ".msg" and ".eml" templates make mails.
    bool Matches(const Ptr<kelo::IDocumentTemplate>& documentTemplate) const;

private:
    std::vector<std::string> prefixes_;  // in lower case
};

}  // namespace ostrellix::addin

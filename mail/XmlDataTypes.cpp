#include "mail/XmlDataTypes.h"

#include <cstdio>
#include <cstring>

#include "runtime/Base64.h"

namespace ostrellix::addin {

namespace {

// Built from the parts rather than Date's own text, which shortens
// midnights and dates of 1899-12-30; the XML form is always complete.
std::string DateTimeText(Date date) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", date.Year(), date.Month(), date.Day(),
                  date.Hour(), date.Minute(), date.Second());
    return text;
}

}  // namespace

void XmlDataTypes::AppendValue(pugi::xml_node parent, const char* name, const Variant& value) {
    if (value.IsEmpty()) return;
    const char* type = nullptr;
    std::string text;
    switch (value.VarType()) {
        case Variant::Type::Integer:
        case Variant::Type::Long: type = "int"; text = value.ToString(); break;
        case Variant::Type::Double: type = "float"; text = value.ToString(); break;
        case Variant::Type::Date: type = "datetime"; text = DateTimeText(value.ToDate()); break;
        case Variant::Type::ByteArray: type = "bin.base64"; text = Base64Encode(value.ToBytes()); break;
        default: text = value.ToString(); break;
    }
    pugi::xml_node element = parent.append_child(name);
    if (type) {
        element.append_attribute("xmlns:dt") = kNamespace;
        element.append_attribute("dt:dt") = type;
    }
    element.text() = text.c_str();
}

std::string XmlDataTypes::DataType(pugi::xml_node element) {
    for (pugi::xml_attribute attribute : element.attributes()) {
        const char* name = attribute.name();
        const char* colon = std::strchr(name, ':');
        if (!colon || std::strcmp(colon + 1, "dt") != 0) continue;
        const std::string declaration = "xmlns:" + std::string(name, colon);
        // The prefix counts only when it is bound to the data-types namespace here or above.
        for (pugi::xml_node scope = element; scope; scope = scope.parent()) {
            if (pugi::xml_attribute bound = scope.attribute(declaration.c_str())) {
                if (std::strcmp(bound.value(), kNamespace) == 0) return attribute.value();
                break;
            }
        }
    }
    return {};
}

}  // namespace ostrellix::addin

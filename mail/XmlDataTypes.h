#pragma once

#include <pugixml.hpp>
#include <string>

#include "runtime/Variant.h"

namespace ostrellix::addin {

// Typed XML elements as the platform's XML library writes them: the data
// type in the attribute "dt:dt" of the namespace
// "urn:schemas-microsoft-com:datatypes" (declared on the element), and the
// value in the type's usual text form:
//   int         decimal                      (16- and 32-bit integers)
//   float       decimal, up to 15 digits     (doubles)
//   datetime    YYYY-MM-DDThh:mm:ss          (dates)
//   bin.base64  base64 without line breaks   (byte arrays)
// Other values (text, Booleans) are written as plain text without a type.
class XmlDataTypes {
public:
    static constexpr const char* kNamespace = "urn:schemas-microsoft-com:datatypes";

    // Appends an element holding the value; nothing for an Empty value.
    static void AppendValue(pugi::xml_node parent, const char* name, const Variant& value);
    // The data type of an element ("" when untyped), whatever prefix the
    // document binds the namespace to.
    static std::string DataType(pugi::xml_node element);
};

}  // namespace ostrellix::addin

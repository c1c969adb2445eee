#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standins/message/PropertyBag.h"

namespace ostrellix::standin::message {

class NamedPropertyMap;
class OleStorageWriter;

// Writes the properties of one object of a message file: the property
// stream and a "__substg1.0_" stream per value that does not fit in it.
class MsgPropertyWriter {
public:
    explicit MsgPropertyWriter(NamedPropertyMap& names) : names_(names) {}

    struct Header {
        std::size_t size = 8;  // 32, 24 or 8, as MsgPropertyReader::Read
        std::uint32_t recipients = 0;
        std::uint32_t attachments = 0;
    };

    // `extra` are properties the file layout needs besides the bag's (they
    // win over the bag's own); `embeddedObject` adds the entry that marks an
    // embedded message storage. A value that its type cannot hold raises a
    // ComError naming the property and `what`.
    void Write(OleStorageWriter& storage, const PropertyBag& properties, const Header& header,
               const std::string& charset, const PropertyBag& extra,
               bool embeddedObject, const std::string& what);

private:
    NamedPropertyMap& names_;
};

}  // namespace ostrellix::standin::message

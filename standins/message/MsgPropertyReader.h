#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "standins/message/MessageFileLimits.h"
#include "standins/message/PropertyBag.h"

namespace ostrellix::standin::message {

class NamedPropertyMap;
class OleStorageReader;

// Reads the properties of one object of a message file (the message, a
// recipient, an attachment or an embedded message): the property stream
// "__properties_version1.0" and the "__substg1.0_" streams that hold the
// values too long for it.
class MsgPropertyReader {
public:
    MsgPropertyReader(const NamedPropertyMap& names, const MessageFileLimits& limits)
        : names_(names), limits_(limits) {}

    struct Result {
        PropertyBag properties;
        std::string charset;  // of the object's 8-bit strings; its children inherit it
    };

    // `headerSize` is 32 for the message of the file, 24 for an embedded
    // message and 8 for recipients and attachments; `charset` is the parent's.
    // `what` names the object in errors ("attachment 2").
    Result Read(const OleStorageReader& storage, std::size_t headerSize, std::string_view charset,
                const std::string& what) const;

private:
    const NamedPropertyMap& names_;
    const MessageFileLimits& limits_;
};

}  // namespace ostrellix::standin::message

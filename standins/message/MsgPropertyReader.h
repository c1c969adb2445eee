#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "standins/message/MessageFileHost.h"
#include "standins/message/MessageFileLimits.h"
#include "standins/message/PropertyBag.h"

namespace ostrellix::standin::message {

class NamedPropertyMap;
class OleStorageReader;

// Reads the properties of one object of a message file (the message, a
// recipient, an attachment or an embedded message): the property stream
// "__properties_version1.0" and the "__substg1.0_" streams that hold the
// values too long for it. 8-bit strings are decoded in the object's ANSI
// code page (AnsiCodePage::Of); bytes that do not decode become U+FFFD,
// and the host's debugger output hears which property of `fileName` they
// were in.
class MsgPropertyReader {
public:
    MsgPropertyReader(const NamedPropertyMap& names, const MessageFileLimits& limits, const MessageFileHost& host,
                      std::string_view fileName)
        : names_(names), limits_(limits), host_(host), fileName_(fileName) {}

    struct Result {
        PropertyBag properties;
        std::uint32_t codePage;  // of the object's 8-bit strings; its children inherit it
    };

    // `headerSize` is 32 for the message of the file, 24 for an embedded
    // message and 8 for recipients and attachments; `codePage` is the
    // parent's (the system's for the file's message). `what` names the
    // object in errors ("attachment 2").
    Result Read(const OleStorageReader& storage, std::size_t headerSize, std::uint32_t codePage,
                const std::string& what) const;

private:
    Variant DecodeString(std::uint16_t type, std::span<const std::uint8_t> bytes, std::uint32_t codePage,
                         std::uint32_t tag, const std::string& what) const;

    const NamedPropertyMap& names_;
    const MessageFileLimits& limits_;
    const MessageFileHost& host_;
    std::string_view fileName_;
};

}  // namespace ostrellix::standin::message

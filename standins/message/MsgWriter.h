#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "standins/message/MessageData.h"
#include "standins/message/MessageFileHost.h"

namespace ostrellix::standin::message {

// Writes a message as an Outlook message file (".msg"): properties, named
// properties with their map, recipients, attachments and embedded messages
// nested up to the reader's depth limit. 8-bit strings are written in the
// code page MsgReader reads them in (PR_MESSAGE_CODEPAGE, else the ANSI code
// page of PR_INTERNET_CPID's script, else the host's ANSI code page); one
// that the code page cannot hold is written as Unicode. A value that its
// property type cannot hold raises a ComError (file_error::InvalidValue)
// naming the property.
class MsgWriter {
public:
    static std::vector<std::uint8_t> Write(const MessageData& message, const MessageFileHost& host = {});
    // Atomic: the file is the old one or the whole new one (temporary file
    // and rename); failure raises file_error::CannotSave naming the file.
    static void WriteFile(const MessageData& message, const std::filesystem::path& path,
                          const MessageFileHost& host = {});
};

}  // namespace ostrellix::standin::message

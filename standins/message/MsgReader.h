#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "standins/message/MessageData.h"
#include "standins/message/MessageFileHost.h"
#include "standins/message/MessageFileLimits.h"

namespace ostrellix::standin::message {

// Reads an Outlook message file (".msg", a compound file) into a message:
// its properties, named properties, recipients, attachments and embedded
// messages. PR_RTF_COMPRESSED stays as stored (CompressedRtf decodes it).
// The layout's own bookkeeping (PR_ROWID of recipients, PR_ATTACH_NUM of
// attachments, PR_STORE_SUPPORT_MASK) is left out, as MsgWriter puts it back.
//
// 8-bit strings are read in the message's ANSI code page: PR_MESSAGE_CODEPAGE,
// else that of its PR_INTERNET_CPID's script, else the host's ANSI code page
// (AnsiCodePage); recipients, attachments and embedded messages without
// code pages of their own take their message's.
//
// A file that is missing, truncated, corrupt or beyond the limits raises a
// ComError that names the file (file_error numbers); what libgsf has to say
// about it goes to the host's debugger output.
class MsgReader {
public:
    explicit MsgReader(MessageFileLimits limits = {}, MessageFileHost host = {}) : limits_(limits), host_(host) {}

    MessageData ReadFile(const std::filesystem::path& path) const;
    // `fileName` names the bytes in errors.
    MessageData Read(std::span<const std::uint8_t> bytes, std::string_view fileName) const;

private:
    MessageFileLimits limits_;
    MessageFileHost host_;
};

}  // namespace ostrellix::standin::message

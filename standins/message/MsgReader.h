#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "standins/message/MessageData.h"
#include "standins/message/MessageFileLimits.h"

namespace ostrellix::standin::message {

// Reads an Outlook message file (".msg", a compound file) into a message:
// its properties, named properties, recipients, attachments and embedded
// messages. PR_RTF_COMPRESSED stays as stored (CompressedRtf decodes it).
// The layout's own bookkeeping (PR_ROWID of recipients, PR_ATTACH_NUM of
// attachments, PR_STORE_SUPPORT_MASK) is left out, as MsgWriter puts it back.
//
// A file that is missing, truncated, corrupt or beyond the limits raises a
// ComError that names the file (file_error numbers).
class MsgReader {
public:
    explicit MsgReader(MessageFileLimits limits = {}) : limits_(limits) {}

    MessageData ReadFile(const std::filesystem::path& path) const;
    // `fileName` names the bytes in errors.
    MessageData Read(std::span<const std::uint8_t> bytes, std::string_view fileName) const;

private:
    MessageFileLimits limits_;
};

}  // namespace ostrellix::standin::message

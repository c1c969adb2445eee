#pragma once

#include <cstdint>
#include <filesystem>

#include "standins/mapi/Names.h"
#include "standins/message/MessageData.h"

namespace ostrellix::standin::mapi {

// Reads the message of a file for the store: an Outlook message file
// (olMSG) or an Internet message (olRFC822, olRFC822Alt); format 0 tells
// them apart by content (a compound file is a message file, anything else
// is read as MIME). The message comes in the form the store keeps:
// recipients and attachments numbered, the HTML body as text. A file that
// cannot be read, or a format that is not one of those, raises an error
// that names the file.
class FileImport {
public:
    static constexpr std::int32_t kByContent = 0;

    static msg::MessageData Read(const std::filesystem::path& path, std::int32_t format);
    static msg::MessageData ReadMsg(const std::filesystem::path& path);
};

}  // namespace ostrellix::standin::mapi

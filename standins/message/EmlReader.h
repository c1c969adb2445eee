#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "standins/message/MessageData.h"
#include "standins/message/MessageFileHost.h"
#include "standins/message/MessageFileLimits.h"

namespace ostrellix::standin::message {

// Imports an Internet message (".eml", RFC 822 and MIME) as a MAPI message;
// see MimeMessageConverter for what lands where. A header of MIME fields
// alone (no From, To or Subject) makes a message; input with no header at
// all, or that breaks the limits, raises a ComError that names the file
// (file_error numbers). What gmime has to say goes to the host's debugger
// output.
class EmlReader {
public:
    explicit EmlReader(MessageFileLimits limits = {}, MessageFileHost host = {}) : limits_(limits), host_(host) {}

    MessageData ReadFile(const std::filesystem::path& path) const;
    MessageData Read(std::span<const std::uint8_t> bytes, std::string_view fileName) const;

private:
    MessageFileLimits limits_;
    MessageFileHost host_;
};

}  // namespace ostrellix::standin::message

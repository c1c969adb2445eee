#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "standins/message/MessageData.h"

namespace ostrellix::standin::message::testing {

// A mail as the store holds one: Unicode and 8-bit text, numbers, dates,
// binary, a multi-valued property, user and numeric named properties, three
// kinds of recipients, a file attachment and an attached mail.
MessageData TypicalMail();

// A mail whose attachment holds a mail whose attachment holds a mail ...
// `depth` levels down.
MessageData NestedMail(int depth);

Bytes SomeBytes(std::size_t size, unsigned seed);

std::filesystem::path DataFile(const std::string& name);

std::string Text(const PropertyBag& bag, std::uint32_t tag);

// Each recipient's address (its display name when it has none) with its type.
std::vector<std::pair<std::string, int>> Recipients(const MessageData& message);

// A property stream as another program writes one: the header, then
// (tag, value) entries of the fixed-size layout.
Bytes PropertyStream(std::size_t header, const std::vector<std::pair<std::uint32_t, std::uint64_t>>& entries);

}  // namespace ostrellix::standin::message::testing

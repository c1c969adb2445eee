#pragma once

#include <cstdint>
#include <span>

#include "runtime/Variant.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

// The form a message takes in the store: its properties (values with their
// MAPI types), recipients and attachments, embedded messages included, as
// CBOR. Decoding bytes that are not such a message raises.
class MessageCodec {
public:
    static Bytes Encode(const msg::MessageData& message);
    static msg::MessageData Decode(std::span<const std::uint8_t> bytes);
};

}  // namespace ostrellix::standin::outlook

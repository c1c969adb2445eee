#include <cstddef>
#include <cstdint>

#include "runtime/ComError.h"
#include "standins/outlook/MessageCodec.h"

using namespace ostrellix;
using namespace ostrellix::standin::outlook;

// Whatever the bytes, decoding gives a message that can be stored again, or
// raises a ComError.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        MessageCodec::Encode(MessageCodec::Decode(Bytes(data, data + size)));
    } catch (const ComError&) {
    }
    return 0;
}

#include <cstddef>
#include <cstdint>

#include "runtime/ComError.h"
#include "standins/message/CompressedRtf.h"
#include "standins/message/MsgReader.h"

using namespace ostrellix;
using namespace ostrellix::standin::message;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const MessageData message = MsgReader().Read({data, size}, "fuzz.msg");
        const Variant rtf = message.properties.GetValue(tag::PR_RTF_COMPRESSED);
        if (rtf.VarType() == Variant::Type::ByteArray) CompressedRtf::Decompress(rtf.ToBytes(), 1 << 24);
    } catch (const ComError&) {
    }
    return 0;
}

#include <cstddef>
#include <cstdint>

#include "contracts/win/IDebugOutput.h"
#include "runtime/ComError.h"
#include "standins/message/CompressedRtf.h"
#include "standins/message/MsgReader.h"

using namespace ostrellix;
using namespace ostrellix::standin::message;

namespace {

// Takes the lines about undecodable text and libgsf's complaints, so that
// making them is fuzzed too.
class DiscardingOutput final : public win::IDebugOutput {
public:
    void OutputDebugString(std::string_view text) override { written += text.size(); }
    std::size_t written = 0;
};

}  // namespace

// libgsf reads a compound file's directory recursively, one frame per
// entry; a damaged directory it refuses leaks its entries (see lsan.supp)
// from frames so deep that the default 30 recorded frames no longer reach
// gsf_infile_msole_new, and the suppression would miss them.
extern "C" const char* __asan_default_options() { return "malloc_context_size=255"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Single-byte and double-byte system code pages, by the input's size.
    static constexpr std::uint32_t kCodePages[] = {1252, 932, 936, 1251};
    DiscardingOutput output;
    try {
        const MessageData message = MsgReader({}, {kCodePages[size % 4], &output, {}}).Read({data, size}, "fuzz.msg");
        const Variant rtf = message.properties.GetValue(tag::PR_RTF_COMPRESSED);
        if (rtf.VarType() == Variant::Type::ByteArray) CompressedRtf::Decompress(rtf.ToBytes(), 1 << 24);
    } catch (const ComError&) {
    }
    return 0;
}

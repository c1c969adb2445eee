#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "runtime/ComError.h"
#include "standins/outlook/LibraryMessageDecoder.h"
#include "standins/outlook/MessageCodec.h"

using namespace ostrellix;
using namespace ostrellix::standin::outlook;

namespace {

// The message the bytes hold, stored again; nothing when the reader refuses them.
template <typename Read>
std::optional<Bytes> StoredAgain(Read read) {
    try {
        return MessageCodec::Encode(read());
    } catch (const ComError&) {
        return std::nullopt;
    }
}

}  // namespace

// Whatever the bytes, the store's decoder refuses them with a ComError
// exactly when the JSON library's reading does, and otherwise reads the
// same message (compared as it is stored again, which keeps every value
// and type), one that can be stored again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    const std::optional<Bytes> direct = StoredAgain([&] { return MessageCodec::Decode(bytes); });
    const std::optional<Bytes> library = StoredAgain([&] { return LibraryMessageDecoder::Decode(bytes); });
    if (direct != library) {
        std::fprintf(stderr, "the decoder %s what the JSON library %s\n", direct ? "took" : "refused",
                     library ? "took" : "refused");
        std::abort();
    }
    return 0;
}

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ostrellix::standin::message {

// The RTF body as MAPI keeps it in PR_RTF_COMPRESSED: a 16-byte header
// (compressed size, raw size, "LZFu" or "MELA", CRC) and the LZ77 stream
// whose dictionary starts out filled with common RTF words.
class CompressedRtf {
public:
    // The RTF text of an "LZFu" or "MELA" value. A header that does not add
    // up, a wrong CRC, data cut short or more than `maxRawBytes` of output
    // raise a ComError (file_error::Corrupt).
    static std::string Decompress(std::span<const std::uint8_t> value, std::uint64_t maxRawBytes);

    // Compresses RTF text to an "LZFu" value, as Outlook stores it.
    static std::vector<std::uint8_t> Compress(std::string_view rtf);

    // The uncompressed "MELA" form, which every reader also accepts.
    static std::vector<std::uint8_t> Store(std::string_view rtf);

private:
    static std::string Decode(std::span<const std::uint8_t> value, std::uint64_t maxRawBytes);
};

}  // namespace ostrellix::standin::message

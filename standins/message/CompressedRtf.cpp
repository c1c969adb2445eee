#include "standins/message/CompressedRtf.h"

#include <array>
#include <cstring>

#include "runtime/ComError.h"
#include "standins/message/FormatError.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/LittleEndianReader.h"
#include "standins/message/LittleEndianWriter.h"
#include "standins/message/WireFormats.h"

namespace ostrellix::standin::message {

namespace {

constexpr std::uint32_t kCompressed = 0x75465A4C;    // "LZFu"
constexpr std::uint32_t kUncompressed = 0x414C454D;  // "MELA"
constexpr std::size_t kDictionarySize = 4096;
constexpr std::size_t kMaxMatch = 17;  // 4 bits of length, plus 2

constexpr std::string_view kPrefix =
    "{\\rtf1\\ansi\\mac\\deff0\\deftab720{\\fonttbl;}{\\f0\\fnil \\froman \\fswiss \\fmodern \\fscript "
    "\\fdecor MS Sans SerifSymbolArialTimes New RomanCourier{\\colortbl\\red0\\green0\\blue0\r\n\\par "
    "\\pard\\plain\\f0\\fs20\\b\\i\\u\\tab\\tx";
static_assert(kPrefix.size() == 207);

struct Dictionary {
    std::array<std::uint8_t, kDictionarySize> bytes{};
    std::size_t write = kPrefix.size();

    Dictionary() { std::memcpy(bytes.data(), kPrefix.data(), kPrefix.size()); }
    void Put(std::uint8_t b) {
        bytes[write] = b;
        write = (write + 1) % kDictionarySize;
    }
};

std::vector<std::uint8_t> Header(std::uint32_t type, std::size_t rawSize, std::span<const std::uint8_t> body) {
    LittleEndianWriter out;
    out.U32(static_cast<std::uint32_t>(body.size() + 12));
    out.U32(static_cast<std::uint32_t>(rawSize));
    out.U32(type);
    out.U32(type == kCompressed ? wire::Crc32(body) : 0);
    out.Append(body);
    return out.Take();
}

}  // namespace

std::string CompressedRtf::Decompress(std::span<const std::uint8_t> value, std::uint64_t maxRawBytes) {
    try {
        return Decode(value, maxRawBytes);
    } catch (const FormatError& error) {
        throw ComError(file_error::Corrupt, "CompressedRtf", std::string("The RTF body cannot be read: ") + error.what() + ".");
    }
}

std::string CompressedRtf::Decode(std::span<const std::uint8_t> value, std::uint64_t maxRawBytes) {
    LittleEndianReader header(value, "the compressed RTF header");
    const std::uint32_t compressedSize = header.U32();
    const std::uint32_t rawSize = header.U32();
    const std::uint32_t type = header.U32();
    const std::uint32_t crc = header.U32();
    if (compressedSize < 12 || compressedSize - 12 > value.size() - 16) {
        throw FormatError("the compressed RTF body is cut short");
    }
    if (rawSize > maxRawBytes) throw FormatError("the RTF body is larger than the limit");
    const auto body = value.subspan(16, compressedSize - 12);

    if (type == kUncompressed) {
        if (body.size() < rawSize) throw FormatError("the uncompressed RTF body is cut short");
        return std::string(reinterpret_cast<const char*>(body.data()), rawSize);
    }
    if (type != kCompressed) throw FormatError("the RTF body has an unknown compression type");
    if (wire::Crc32(body) != crc) throw FormatError("the compressed RTF body fails its checksum");

    std::string out;
    out.reserve(rawSize);
    Dictionary dictionary;
    LittleEndianReader in(body, "the compressed RTF body");
    while (!in.AtEnd()) {
        const std::uint8_t control = in.U8();
        for (int bit = 0; bit < 8; ++bit) {
            if (in.AtEnd()) break;
            if ((control >> bit & 1) == 0) {
                const std::uint8_t literal = in.U8();
                out += static_cast<char>(literal);
                dictionary.Put(literal);
            } else {
                const std::uint8_t high = in.U8();
                const std::uint8_t low = in.U8();
                std::size_t offset = static_cast<std::size_t>(high) << 4 | low >> 4;
                const std::size_t length = (low & 0x0F) + 2u;
                // A reference to the write position marks the end of the data.
                if (offset == dictionary.write) return out.size() > rawSize ? out.substr(0, rawSize) : out;
                for (std::size_t i = 0; i < length; ++i) {
                    const std::uint8_t b = dictionary.bytes[offset];
                    offset = (offset + 1) % kDictionarySize;
                    out += static_cast<char>(b);
                    dictionary.Put(b);
                }
            }
            if (out.size() > rawSize + kMaxMatch) throw FormatError("the compressed RTF body runs past its size");
        }
    }
    throw FormatError("the compressed RTF body has no end marker");
}

std::vector<std::uint8_t> CompressedRtf::Compress(std::string_view rtf) {
    // Greedy longest match. Chains of earlier positions per 2-byte hash keep
    // the search short; a match may overlap the bytes it produces, as the
    // decoder copies byte by byte.
    LittleEndianWriter body;
    Dictionary dictionary;
    std::array<std::int32_t, 65536> head;
    head.fill(-1);
    std::array<std::int32_t, kDictionarySize> previous;
    previous.fill(-1);
    auto hashAt = [&dictionary](std::size_t pos) {
        return dictionary.bytes[pos] << 8 | dictionary.bytes[(pos + 1) % kDictionarySize];
    };
    auto remember = [&](std::size_t pos) {
        const int h = hashAt(pos);
        previous[pos] = head[h];
        head[h] = static_cast<std::int32_t>(pos);
    };
    for (std::size_t pos = 0; pos + 1 < kPrefix.size(); ++pos) remember(pos);

    std::size_t input = 0;
    std::vector<std::uint8_t> group;
    std::uint8_t control = 0;
    int bit = 0;
    auto flush = [&] {
        body.U8(control);
        body.Append(group);
        group.clear();
        control = 0;
        bit = 0;
    };
    auto u8 = [&rtf](std::size_t i) { return static_cast<std::uint8_t>(rtf[i]); };
    while (input < rtf.size()) {
        std::size_t bestLength = 0;
        std::size_t bestOffset = 0;
        if (input + 1 < rtf.size()) {
            const int h = u8(input) << 8 | u8(input + 1);
            int tries = 64;
            for (std::int32_t candidate = head[h]; candidate >= 0 && tries-- > 0;
                 candidate = previous[static_cast<std::size_t>(candidate)]) {
                const auto start = static_cast<std::size_t>(candidate);
                if (start == dictionary.write) continue;
                std::size_t length = 0;
                while (length < kMaxMatch && input + length < rtf.size()) {
                    const std::size_t source = (start + length) % kDictionarySize;
                    // Bytes at or past the write position are the ones this match writes.
                    const std::size_t distance = (source + kDictionarySize - dictionary.write) % kDictionarySize;
                    const std::uint8_t b = distance < length ? u8(input + distance) : dictionary.bytes[source];
                    if (b != u8(input + length)) break;
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestOffset = start;
                    if (length == kMaxMatch) break;
                }
            }
        }
        const std::size_t take = bestLength >= 2 ? bestLength : 1;
        if (bestLength >= 2) {
            control |= static_cast<std::uint8_t>(1 << bit);
            group.push_back(static_cast<std::uint8_t>(bestOffset >> 4));
            group.push_back(static_cast<std::uint8_t>((bestOffset & 0x0F) << 4 | (bestLength - 2)));
        } else {
            group.push_back(u8(input));
        }
        for (std::size_t i = 0; i < take; ++i) {
            const std::size_t pos = dictionary.write;
            // The slot is overwritten: it no longer starts what the chains say.
            const std::size_t before = (pos + kDictionarySize - 1) % kDictionarySize;
            dictionary.Put(u8(input + i));
            previous[pos] = -1;
            remember(before);
        }
        input += take;
        if (++bit == 8) flush();
    }
    // The end marker: a reference to the write position.
    control |= static_cast<std::uint8_t>(1 << bit);
    group.push_back(static_cast<std::uint8_t>(dictionary.write >> 4));
    group.push_back(static_cast<std::uint8_t>((dictionary.write & 0x0F) << 4));
    flush();
    return Header(kCompressed, rtf.size(), body.Bytes());
}

std::vector<std::uint8_t> CompressedRtf::Store(std::string_view rtf) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(rtf.data());
    return Header(kUncompressed, rtf.size(), {bytes, rtf.size()});
}

}  // namespace ostrellix::standin::message

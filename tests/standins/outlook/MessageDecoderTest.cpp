#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ComError.h"
#include "standins/outlook/LibraryMessageDecoder.h"
#include "standins/outlook/MessageCodec.h"

namespace ostrellix::standin::outlook {
namespace {

// What a reader makes of the bytes, stored again (which keeps every value
// and its type); nothing when it refuses them.
template <class Read>
std::optional<Bytes> Reading(Read read) {
    try {
        return MessageCodec::Encode(read());
    } catch (const ComError&) {
        return std::nullopt;
    }
}

std::optional<Bytes> Direct(const Bytes& bytes) {
    return Reading([&] { return MessageCodec::Decode(bytes); });
}

std::optional<Bytes> Library(const Bytes& bytes) {
    return Reading([&] { return LibraryMessageDecoder::Decode(bytes); });
}

Bytes Hex(std::string text) {
    std::erase(text, ' ');
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

// A message with no recipients or attachments whose one tagged property
// (id 0x37, type 0x1F) is the entry's value as given, in hex.
Bytes WithValue(std::string_view value) {
    return Hex("A3 6161 80 6170 A2 616E 80 6174 81 83 1837 181F " + std::string(value) + " 6172 80");
}

// CBOR the store never writes but the JSON library reads: both readers
// take it and read the same message, or both refuse it.
TEST(StoredMessageFormsTest, BothReadersTakeAndRefuseTheSameBytes) {
    struct Case {
        const char* what;
        Bytes bytes;
        bool taken;
    };
    const std::vector<Case> cases = {
        {"the shortest forms", WithValue("82 08 6178"), true},
        {"lengths and numbers in longer heads than needed", WithValue("9B0000000000000002 1A00000008 7800"), true},
        {"a text in chunks, one of them chunked again", WithValue("82 08 7F 6161 7F 6162 FF 6163 FF"), true},
        {"bytes in chunks", WithValue("82 192011 5F 4101 5F FF 420203 FF"), true},
        {"an indefinite array", WithValue("9F 08 6178 FF"), true},
        {"an array whose 8-byte length is all ones reads as indefinite",
         WithValue("9BFFFFFFFFFFFFFFFF 08 6178 FF"), true},
        {"a half float for a real", WithValue("82 05 F93C00"), true},
        {"half-float infinity, not-a-number and a subnormal",
         WithValue("82 19200C 9F 82 05 F97C00 82 05 F97E00 82 05 F98001 FF"), true},
        {"a single float for a date", WithValue("82 07 FA3FC00000"), true},
        {"a real for a 16-bit number", WithValue("82 02 FB40F86A0000000000"), true},
        {"an unsigned beyond 63 bits for a double", WithValue("82 05 1BFFFFFFFFFFFFFFFF"), true},
        {"the most negative CBOR integer for a long", WithValue("82 03 3BFFFFFFFFFFFFFFFF"), true},
        {"a content after an empty value", WithValue("82 00 7F 6178 FF"), true},
        {"null with false after it", WithValue("82 01 F4"), true},
        {"an indefinite map for the message",
         Hex("BF 6161 80 6170 BF 616E 9F FF 6174 80 FF 7F 6172 FF 80 FF"), true},
        {"an embedded message in an indefinite attachment list",
         Hex("A3 6161 9F A2 6165 A3 6161 80 6170 A2 616E 80 6174 80 6172 80 6170 A2 616E 80 6174 80 FF"
             " 6170 A2 616E 80 6174 80 6172 80"),
         true},
        {"a tag", WithValue("82 08 C0 6178"), false},
        {"undefined", WithValue("82 01 F7"), false},
        {"a one-byte simple value", WithValue("82 01 F814"), false},
        {"a reserved head", WithValue("82 08 7C"), false},
        {"a chunk of the wrong kind", WithValue("82 08 7F 4161 FF"), false},
        {"a chunk of indefinite bytes inside a text", WithValue("82 08 7F 5F FF FF"), false},
        {"a break inside a definite array", WithValue("82 08 FF"), false},
        {"a text that runs past the end", WithValue("82 08 7BFFFFFFFFFFFFFFFF"), false},
        {"bytes after the message", Hex("A3 6161 80 6170 A2 616E 80 6174 80 6172 80 00"), false},
        {"a key that is not a text", Hex("A3 01 80 6170 A2 616E 80 6174 80 6172 80"), false},
        {"a real past the 64-bit range for a number", WithValue("82 02 FB43F0000000000000"), false},
        {"not-a-number for a type", Hex("A3 6161 80 6170 A2 616E 80 6174 81 83 01 F97E00 82 08 6178 6172 80"), false},
        {"an unknown value type", WithValue("82 0D 01"), false},
        {"a list without its elements", WithValue("81 19200C"), false},
        {"a third part in a value", WithValue("83 08 6178 6179"), false},
        {"a yes or no given as a number", WithValue("82 0B 01"), false},
        {"an embedded message given as a number",
         Hex("A3 6161 81 A2 6165 01 6170 A2 616E 80 6174 80 6170 A2 616E 80 6174 80 6172 80"), false},
        {"a repeated member", Hex("A3 6161 80 6161 80 6172 80"), false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const std::optional<Bytes> library = Library(test.bytes);
        EXPECT_EQ(library.has_value(), test.taken);
        EXPECT_EQ(Direct(test.bytes), library);
    }
}

// Each level of a list of values is a level of the message; past the
// levels a message may have, both readers refuse it, at the same level.
TEST(StoredMessageFormsTest, ListsNestAsDeeplyInBothReaders) {
    std::optional<int> directLimit, libraryLimit;
    for (int levels = 1; levels < 40 && (!directLimit || !libraryLimit); ++levels) {
        std::string value = "82 08 6178";
        for (int level = 0; level < levels; ++level) value = "82 19200C 81 " + value;
        const Bytes bytes = WithValue(value);
        if (!directLimit && !Direct(bytes)) directLimit = levels;
        if (!libraryLimit && !Library(bytes)) libraryLimit = levels;
    }
    ASSERT_TRUE(libraryLimit);
    EXPECT_EQ(directLimit, libraryLimit);
}

}  // namespace
}  // namespace ostrellix::standin::outlook

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "runtime/Guid.h"
#include "runtime/Variant.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

// Reads a stored message's CBOR (see MessageCodec) by walking the bytes
// along the message's layout: a run reads every synchronized item, and a
// general CBOR parser handing out events costs several times the message.
//
// It takes exactly the bytes the JSON library's CBOR reader takes (see
// LibraryMessageDecoder, which the fuzzer holds it to): every head form
// (lengths that are not the shortest, indefinite lengths and strings made
// of chunks, which the library also lets nest; an 8-byte length of all
// ones, which the library reads as indefinite), half, single and double
// floats, and no tags or other simple values. Anything but the store's
// layout (a missing or unknown part, a value of the wrong kind, nesting
// deeper than a message has, bytes after the message) raises a ComError
// with what is wrong.
class MessageDecoder {
public:
    static msg::MessageData Decode(std::span<const std::uint8_t> bytes);

private:
    // A CBOR item's first byte and what follows it up to its content.
    struct Head {
        std::uint8_t major = 0;
        std::uint8_t info = 0;        // the low five bits: for simple values, which one
        std::uint64_t argument = 0;   // the number, the length, or a float's bits
        bool indefinite = false;
    };
    // Where an array or map stands: how many items are left, or that a break ends it.
    struct Items {
        std::uint64_t left = 0;
        bool indefinite = false;
    };

    explicit MessageDecoder(std::span<const std::uint8_t> bytes) : at_(bytes.data()), end_(at_ + bytes.size()) {}

    void Message(msg::MessageData& message, const Head& head, std::size_t depth);
    void Bag(msg::PropertyBag& bag, const Head& head, std::size_t depth);
    void TaggedEntry(msg::PropertyBag& bag, const Head& head, std::size_t depth);
    void NamedEntry(msg::PropertyBag& bag, const Head& head, std::size_t depth);
    void Attachment(msg::AttachmentData& attachment, const Head& head, std::size_t depth);
    Variant Value(const Head& head, std::size_t depth);

    std::uint8_t Byte();
    std::uint64_t Big(unsigned bytes);
    Head ReadHead();
    // The next item's head, which must be of `major`.
    Head Expect(std::uint8_t major, const char* what);
    Items Open(const Head& head);
    bool More(Items& items);
    std::span<const std::uint8_t> Take(std::uint64_t length);
    // The next piece of an indefinite string of `major`: its bytes, or none
    // at a nested start or a break, which `open` counts.
    std::span<const std::uint8_t> Chunk(std::uint8_t major, std::size_t& open);
    std::string Text(const Head& head);
    Guid PropertySet(const Head& head);
    Bytes Binary(const Head& head);
    // The rest of a scalar whose head was read, checked and dropped.
    void Skip(const Head& head);
    std::int64_t Number(const Head& head);
    double Real(const Head& head);
    static double Float(const Head& head);
    static std::size_t Enter(std::size_t depth);
    [[noreturn]] static void Fail(const std::string& what);

    const std::uint8_t* at_;
    const std::uint8_t* end_;
};

}  // namespace ostrellix::standin::outlook

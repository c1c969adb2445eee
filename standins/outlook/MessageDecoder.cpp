#include "standins/outlook/MessageDecoder.h"

#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/ComError.h"
#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

namespace {

using Type = Variant::Type;

constexpr std::uint8_t kUnsigned = 0, kNegative = 1, kBinary = 2, kText = 3, kArray = 4, kMap = 5, kSimple = 7;
constexpr std::uint8_t kFalse = 20, kTrue = 21, kNull = 22, kHalf = 25, kSingle = 26, kDouble = 27;
constexpr std::uint8_t kIndefinite = 31, kBreak = 0xFF;

// A message nests a bag, an entry, a value and its elements; an embedded
// message adds three levels, and nothing stored goes near this.
constexpr std::size_t kMaxDepth = 64;

bool KnownType(Type type) {
    switch (type) {
        case Type::Empty:
        case Type::Null:
        case Type::Integer:
        case Type::Long:
        case Type::Double:
        case Type::Date:
        case Type::String:
        case Type::Boolean:
        case Type::Array:
        case Type::ByteArray: return true;
        case Type::Object: break;
    }
    return false;
}

bool IsFloat(std::uint8_t major, std::uint8_t info) {
    return major == kSimple && (info == kHalf || info == kSingle || info == kDouble);
}

// Which of an object's one-letter members `key` is, as a bit; raises for
// another key and for one already seen.
unsigned Member(const std::string& key, std::string_view members, unsigned& seen) {
    const std::size_t index = key.size() == 1 ? members.find(key.front()) : std::string_view::npos;
    const unsigned bit = index == std::string_view::npos ? 0 : 1u << index;
    if (bit == 0 || (seen & bit) != 0) {
        throw ComError(::ostrellix::errors::TypeMismatch, errors::kSource,
                       "an unknown or repeated member \"" + key + "\"");
    }
    seen |= bit;
    return bit;
}

}  // namespace

msg::MessageData MessageDecoder::Decode(std::span<const std::uint8_t> bytes) {
    MessageDecoder decoder(bytes);
    msg::MessageData message;
    const Head head = decoder.ReadHead();
    if (head.major != kMap) Fail("not a stored message");
    decoder.Message(message, head, 0);
    if (decoder.at_ != decoder.end_) Fail("more after the message");
    return message;
}

void MessageDecoder::Fail(const std::string& what) {
    throw ComError(::ostrellix::errors::TypeMismatch, errors::kSource, what);
}

std::size_t MessageDecoder::Enter(std::size_t depth) {
    if (depth >= kMaxDepth) Fail("the message nests too deeply");
    return depth + 1;
}

// ---- the message's parts

void MessageDecoder::Message(msg::MessageData& message, const Head& head, std::size_t depth) {
    depth = Enter(depth);
    unsigned seen = 0;
    Items members = Open(head);
    while (More(members)) {
        const unsigned member = Member(Text(Expect(kText, "a member name was expected")), "pra", seen);
        if (member == 1) {
            Bag(message.properties, Expect(kMap, "properties were expected"), depth);
        } else if (member == 2) {
            const std::size_t inside = Enter(depth);
            Items recipients = Open(Expect(kArray, "a list of recipients was expected"));
            while (More(recipients)) {
                const Head recipient = Expect(kMap, "a recipient was expected");
                Bag(message.recipients.emplace_back().properties, recipient, inside);
            }
        } else {
            const std::size_t inside = Enter(depth);
            Items attachments = Open(Expect(kArray, "a list of attachments was expected"));
            while (More(attachments)) {
                const Head attachment = Expect(kMap, "an attachment was expected");
                Attachment(message.attachments.emplace_back(), attachment, inside);
            }
        }
    }
    if (seen != 7) Fail("a part of the message is missing");
}

void MessageDecoder::Attachment(msg::AttachmentData& attachment, const Head& head, std::size_t depth) {
    depth = Enter(depth);
    unsigned seen = 0;
    Items members = Open(head);
    while (More(members)) {
        if (Member(Text(Expect(kText, "a member name was expected")), "pe", seen) == 1) {
            Bag(attachment.properties, Expect(kMap, "properties were expected"), depth);
            continue;
        }
        const Head embedded = ReadHead();
        if (embedded.major == kMap) {
            attachment.embedded = std::make_shared<msg::MessageData>();
            Message(*attachment.embedded, embedded, depth);
        } else if (embedded.major != kSimple || embedded.info != kNull) {
            Fail("an embedded message or nothing was expected");
        }
    }
    if (seen != 3) Fail("a part of the attachment is missing");
}

void MessageDecoder::Bag(msg::PropertyBag& bag, const Head& head, std::size_t depth) {
    depth = Enter(depth);
    unsigned seen = 0;
    Items members = Open(head);
    while (More(members)) {
        const bool tagged = Member(Text(Expect(kText, "a member name was expected")), "tn", seen) == 1;
        const Head list = Expect(kArray, "a list of properties was expected");
        const std::size_t inside = Enter(depth);
        // Every entry takes at least a byte, so a count beyond what is left is a lie not to allocate for.
        const auto left = static_cast<std::uint64_t>(end_ - at_);
        const std::size_t entries = !list.indefinite && list.argument <= left ? list.argument : 0;
        if (tagged) {
            bag.ReserveTagged(entries);
        } else {
            bag.ReserveNamed(entries);
        }
        Items items = Open(list);
        while (More(items)) {
            const Head entry = Expect(kArray, "a property entry was expected");
            if (tagged) {
                TaggedEntry(bag, entry, inside);
            } else {
                NamedEntry(bag, entry, inside);
            }
        }
    }
    if (seen != 3) Fail("a part of a property bag is missing");
}

void MessageDecoder::TaggedEntry(msg::PropertyBag& bag, const Head& head, std::size_t depth) {
    depth = Enter(depth);
    Items items = Open(head);
    if (!More(items)) Fail("a property without its id");
    const auto id = static_cast<std::uint16_t>(Number(ReadHead()));
    if (!More(items)) Fail("a property without its type");
    const auto type = static_cast<std::uint16_t>(Number(ReadHead()));
    if (!More(items)) Fail("a property without its value");
    Variant value = Value(Expect(kArray, "a value was expected"), depth);
    if (More(items)) Fail("a property entry of the wrong shape");
    bag.Set(id, msg::PropertyValue{type, std::move(value)});
}

void MessageDecoder::NamedEntry(msg::PropertyBag& bag, const Head& head, std::size_t depth) {
    depth = Enter(depth);
    Items items = Open(head);
    if (!More(items)) Fail("a named property without its set");
    msg::PropertyName name{.propertySet = PropertySet(Expect(kText, "a property set was expected"))};
    if (!More(items)) Fail("a named property without its name");
    const Head id = ReadHead();
    if (id.major == kText) {
        name.id = Text(id);
    } else {
        name.id = static_cast<std::uint32_t>(Number(id));
    }
    if (!More(items)) Fail("a named property without its type");
    const auto type = static_cast<std::uint16_t>(Number(ReadHead()));
    if (!More(items)) Fail("a named property without its value");
    Variant value = Value(Expect(kArray, "a value was expected"), depth);
    if (More(items)) Fail("a named property entry of the wrong shape");
    bag.SetNamed(std::move(name), msg::PropertyValue{type, std::move(value)});
}

// A value is its type alone (empty and null), or its type and content.
Variant MessageDecoder::Value(const Head& head, std::size_t depth) {
    depth = Enter(depth);
    Items items = Open(head);
    if (!More(items)) Fail("a value without its type");
    const auto type = static_cast<Type>(Number(ReadHead()));
    if (!KnownType(type)) Fail("Unknown value type " + std::to_string(static_cast<int>(type)));
    const bool bare = type == Type::Empty || type == Type::Null;
    if (!More(items)) {
        if (!bare) Fail("a value without its content");
        return type == Type::Null ? Variant::Null() : Variant();
    }
    const Head content = ReadHead();
    Variant value;
    switch (type) {
        case Type::Empty:
        case Type::Null:
            // Older stores may hold a content after the type; it says nothing.
            Skip(content);
            if (type == Type::Null) value = Variant::Null();
            break;
        case Type::Integer: value = Variant(static_cast<std::int16_t>(Number(content))); break;
        case Type::Long: value = Variant(static_cast<std::int32_t>(Number(content))); break;
        case Type::Double: value = Variant(Real(content)); break;
        case Type::Date: value = Variant(Date(Real(content))); break;
        case Type::String:
            if (content.major != kText) Fail("a text was expected");
            value = Variant(Text(content));
            break;
        case Type::Boolean:
            if (content.major != kSimple || (content.info != kFalse && content.info != kTrue)) {
                Fail("a yes or no was expected");
            }
            value = Variant(content.info == kTrue);
            break;
        case Type::ByteArray:
            if (content.major != kBinary) Fail("bytes were expected");
            value = Variant(Binary(content));
            break;
        case Type::Array: {
            if (content.major != kArray) Fail("a list of values was expected");
            const std::size_t inside = Enter(depth);
            VariantArray elements;
            Items list = Open(content);
            while (More(list)) elements.push_back(Value(Expect(kArray, "a value was expected"), inside));
            value = Variant(std::move(elements));
            break;
        }
        case Type::Object: break;
    }
    if (More(items)) Fail("a value of the wrong shape");
    return value;
}

// ---- CBOR items

std::uint8_t MessageDecoder::Byte() {
    if (at_ == end_) Fail("the message ends early");
    return *at_++;
}

std::uint64_t MessageDecoder::Big(unsigned bytes) {
    if (static_cast<std::size_t>(end_ - at_) < bytes) Fail("the message ends early");
    std::uint64_t number = 0;
    for (unsigned i = 0; i < bytes; ++i) number = (number << 8) | *at_++;
    return number;
}

MessageDecoder::Head MessageDecoder::ReadHead() {
    const std::uint8_t first = Byte();
    Head head{.major = static_cast<std::uint8_t>(first >> 5), .info = static_cast<std::uint8_t>(first & 0x1F)};
    if (head.major == kSimple) {
        switch (head.info) {
            case kFalse:
            case kTrue:
            case kNull: return head;
            case kHalf: head.argument = Big(2); return head;
            case kSingle: head.argument = Big(4); return head;
            case kDouble: head.argument = Big(8); return head;
            default: Fail("an unknown simple value");
        }
    }
    if (head.major == 6) Fail("a tagged item");
    if (head.info < 24) {
        head.argument = head.info;
    } else if (head.info < 28) {
        head.argument = Big(1u << (head.info - 24));
    } else if (head.info == kIndefinite && head.major >= kBinary) {
        head.indefinite = true;
    } else {
        Fail("a reserved item head");
    }
    // An array or map whose 8-byte length is all ones is one of indefinite length, as the JSON library reads it.
    if ((head.major == kArray || head.major == kMap) && head.argument == std::numeric_limits<std::uint64_t>::max()) {
        head.indefinite = true;
    }
    return head;
}

MessageDecoder::Head MessageDecoder::Expect(std::uint8_t major, const char* what) {
    const Head head = ReadHead();
    if (head.major != major) Fail(what);
    return head;
}

MessageDecoder::Items MessageDecoder::Open(const Head& head) {
    return {.left = head.indefinite ? 0 : head.argument, .indefinite = head.indefinite};
}

bool MessageDecoder::More(Items& items) {
    if (items.indefinite) {
        if (at_ == end_) Fail("the message ends early");
        if (*at_ != kBreak) return true;
        ++at_;
        return false;
    }
    if (items.left == 0) return false;
    --items.left;
    return true;
}

std::span<const std::uint8_t> MessageDecoder::Take(std::uint64_t length) {
    if (static_cast<std::uint64_t>(end_ - at_) < length) Fail("the message ends early");
    const std::span<const std::uint8_t> bytes(at_, static_cast<std::size_t>(length));
    at_ += length;
    return bytes;
}

std::span<const std::uint8_t> MessageDecoder::Chunk(std::uint8_t major, std::size_t& open) {
    const std::uint8_t first = Byte();
    if (first == kBreak) {
        --open;
        return {};
    }
    // The JSON library also takes a chunk that is itself made of chunks.
    if (first == ((major << 5) | kIndefinite)) {
        ++open;
        return {};
    }
    const std::uint8_t info = first & 0x1F;
    if (first >> 5 != major || info >= 28) Fail("a piece of a string was expected");
    return Take(info < 24 ? info : Big(1u << (info - 24)));
}

std::string MessageDecoder::Text(const Head& head) {
    if (!head.indefinite) {
        const auto bytes = Take(head.argument);
        return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }
    std::string text;
    for (std::size_t open = 1; open > 0;) {
        const auto bytes = Chunk(kText, open);
        text.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return text;
}

// A store names a handful of property sets in every message: each text is
// parsed once per thread, and a definite text is compared where it lies.
Guid MessageDecoder::PropertySet(const Head& head) {
    constexpr std::size_t kKept = 16;
    thread_local std::vector<std::pair<std::string, Guid>> known;
    std::string copy;
    std::string_view text;
    if (head.indefinite) {
        copy = Text(head);
        text = copy;
    } else {
        const auto bytes = Take(head.argument);
        text = {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }
    for (const auto& [seen, guid] : known) {
        if (seen == text) return guid;
    }
    const Guid guid = Guid::Parse(text);
    if (known.size() < kKept) known.emplace_back(text, guid);
    return guid;
}

Bytes MessageDecoder::Binary(const Head& head) {
    if (!head.indefinite) {
        const auto bytes = Take(head.argument);
        return {bytes.begin(), bytes.end()};
    }
    Bytes binary;
    for (std::size_t open = 1; open > 0;) {
        const auto bytes = Chunk(kBinary, open);
        binary.insert(binary.end(), bytes.begin(), bytes.end());
    }
    return binary;
}

void MessageDecoder::Skip(const Head& head) {
    if (head.major == kText) {
        Text(head);
    } else if (head.major == kBinary) {
        Binary(head);
    } else if (head.major == kArray || head.major == kMap) {
        Fail("a value where none belongs");
    }
}

std::int64_t MessageDecoder::Number(const Head& head) {
    if (head.major == kUnsigned) return static_cast<std::int64_t>(head.argument);
    if (head.major == kNegative) return std::int64_t{-1} - static_cast<std::int64_t>(head.argument);
    if (IsFloat(head.major, head.info)) {
        const double real = Float(head);
        // Not-a-number and reals past the 64-bit range have no whole number to stand for.
        if (real >= -0x1p63 && real < 0x1p63) return static_cast<std::int64_t>(real);
    }
    Fail("a number was expected");
}

double MessageDecoder::Real(const Head& head) {
    return IsFloat(head.major, head.info) ? Float(head) : static_cast<double>(Number(head));
}

double MessageDecoder::Float(const Head& head) {
    if (head.info == kSingle) return static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(head.argument)));
    if (head.info == kDouble) return std::bit_cast<double>(head.argument);
    const auto half = static_cast<unsigned>(head.argument);
    const int exponent = static_cast<int>((half >> 10u) & 0x1Fu);
    const unsigned mantissa = half & 0x3FFu;
    double magnitude = 0;
    if (exponent == 0) {
        magnitude = std::ldexp(mantissa, -24);
    } else if (exponent == 31) {
        magnitude = mantissa == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    } else {
        magnitude = std::ldexp(mantissa + 1024, exponent - 25);
    }
    return (half & 0x8000u) != 0 ? -magnitude : magnitude;
}

}  // namespace ostrellix::standin::outlook

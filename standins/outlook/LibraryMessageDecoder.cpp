#include "standins/outlook/LibraryMessageDecoder.h"

#include <utility>

#include "runtime/ComError.h"
#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

namespace {

using Type = Variant::Type;

// A message nests a bag, an entry, a value and its elements; an embedded
// message adds three levels, and nothing stored goes near this.
constexpr std::size_t kMaxDepth = 64;

// The members of each object, one bit each; all of them must be there.
unsigned MemberBit(bool known, unsigned bit) { return known ? bit : 0; }

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

}  // namespace

LibraryMessageDecoder::LibraryMessageDecoder(msg::MessageData& message, std::size_t size, std::vector<Frame>& stack)
    : message_(message), size_(size), stack_(stack) {
    stack_.clear();
}

msg::MessageData LibraryMessageDecoder::Decode(std::span<const std::uint8_t> bytes) {
    // One stack for every message decoded on this thread: a block made and
    // given back for each message, among the many messages a run keeps,
    // costs the heap more than the decoding. A decoder never runs inside
    // another (embedded messages are parts of the one being read).
    thread_local std::vector<Frame> stack;
    msg::MessageData message;
    LibraryMessageDecoder decoder(message, bytes.size(), stack);
    try {
        nlohmann::json::sax_parse(bytes.data(), bytes.data() + bytes.size(), &decoder,
                                  nlohmann::json::input_format_t::cbor);
    } catch (const nlohmann::json::exception& error) {
        Fail(error.what());
    }
    if (!decoder.started_ || !decoder.stack_.empty()) Fail("the message ends early");
    return message;
}

void LibraryMessageDecoder::Fail(const std::string& what) {
    throw ComError(::ostrellix::errors::TypeMismatch, errors::kSource, what);
}

void LibraryMessageDecoder::Open(Frame frame) {
    if (stack_.size() >= kMaxDepth) Fail("the message nests too deeply");
    stack_.push_back(std::move(frame));
}

// ---- objects: a message, a property bag, an attachment

bool LibraryMessageDecoder::start_object(std::size_t) {
    if (!started_) {
        started_ = true;
        Open({.part = Part::Message, .message = &message_});
        return true;
    }
    if (stack_.empty()) Fail("more than one message");
    Frame& top = stack_.back();
    if (top.part == Part::Message && top.key == "p") {
        Open({.part = Part::Bag, .bag = &top.message->properties});
    } else if (top.part == Part::Attachment && top.key == "p") {
        Open({.part = Part::Bag, .bag = &top.attachment->properties});
    } else if (top.part == Part::Attachment && top.key == "e") {
        top.attachment->embedded = std::make_shared<msg::MessageData>();
        Open({.part = Part::Message, .message = top.attachment->embedded.get()});
    } else if (top.part == Part::Recipients) {
        top.message->recipients.emplace_back();
        Open({.part = Part::Bag, .bag = &top.message->recipients.back().properties});
    } else if (top.part == Part::Attachments) {
        top.message->attachments.emplace_back();
        Open({.part = Part::Attachment, .attachment = &top.message->attachments.back()});
    } else {
        Fail("an object where none belongs");
    }
    return true;
}

bool LibraryMessageDecoder::key(string_t& value) {
    if (stack_.empty()) Fail("a member outside the message");
    Frame& top = stack_.back();
    unsigned bit = 0;
    switch (top.part) {
        case Part::Message:
            bit = MemberBit(value == "p", 1) | MemberBit(value == "r", 2) | MemberBit(value == "a", 4);
            break;
        case Part::Bag: bit = MemberBit(value == "t", 1) | MemberBit(value == "n", 2); break;
        case Part::Attachment: bit = MemberBit(value == "p", 1) | MemberBit(value == "e", 2); break;
        default: break;
    }
    if (bit == 0 || (top.seen & bit) != 0) Fail("an unknown or repeated member \"" + value + "\"");
    top.seen |= bit;
    top.key = std::move(value);
    return true;
}

bool LibraryMessageDecoder::end_object() {
    const Frame& top = stack_.back();
    const unsigned all = top.part == Part::Message ? 7 : 3;
    if (top.seen != all) Fail("a part of the message is missing");
    stack_.pop_back();
    return true;
}

// ---- arrays: recipients, attachments, property entries, values

bool LibraryMessageDecoder::start_array(std::size_t elements) {
    if (stack_.empty()) Fail("not a stored message");
    Frame& top = stack_.back();
    // Every entry takes at least a byte, so a count beyond the input's size is a lie not to allocate for.
    const std::size_t entries = elements <= size_ ? elements : 0;
    if (top.part == Part::Message && top.key == "r") {
        Open({.part = Part::Recipients, .message = top.message});
    } else if (top.part == Part::Message && top.key == "a") {
        Open({.part = Part::Attachments, .message = top.message});
    } else if (top.part == Part::Bag && top.key == "t") {
        top.bag->ReserveTagged(entries);
        Open({.part = Part::Tagged, .bag = top.bag});
    } else if (top.part == Part::Bag && top.key == "n") {
        top.bag->ReserveNamed(entries);
        Open({.part = Part::Named, .bag = top.bag});
    } else if (top.part == Part::Tagged) {
        Open({.part = Part::TaggedEntry, .bag = top.bag});
    } else if (top.part == Part::Named) {
        Open({.part = Part::NamedEntry, .bag = top.bag});
    } else if ((top.part == Part::TaggedEntry && top.position == 2) ||
               (top.part == Part::NamedEntry && top.position == 3) || top.part == Part::Elements) {
        ++top.position;
        Open({.part = Part::Value});
    } else if (top.part == Part::Value && top.position == 1 && top.valueType == Type::Array) {
        ++top.position;
        Open({.part = Part::Elements});
    } else {
        Fail("an array where none belongs");
    }
    return true;
}

bool LibraryMessageDecoder::end_array() {
    Frame& top = stack_.back();
    switch (top.part) {
        case Part::TaggedEntry:
            if (top.position != 3) Fail("a property without its value");
            top.bag->Set(top.id, msg::PropertyValue{top.type, std::move(top.value)});
            break;
        case Part::NamedEntry:
            if (top.position != 4) Fail("a named property without its value");
            top.bag->SetNamed(msg::PropertyName{top.propertySet, std::move(top.name)},
                              msg::PropertyValue{top.type, std::move(top.value)});
            break;
        case Part::Value: {
            const bool bare = top.valueType == Type::Empty || top.valueType == Type::Null;
            if (top.position == 0 || (!bare && top.position != 2)) Fail("a value without its type or content");
            Variant value = top.valueType == Type::Null ? Variant::Null() : std::move(top.value);
            stack_.pop_back();
            Deliver(std::move(value));
            return true;
        }
        case Part::Elements: {
            VariantArray elements = std::move(top.elements);
            stack_.pop_back();
            stack_.back().value = Variant(std::move(elements));
            return true;
        }
        default: break;
    }
    stack_.pop_back();
    return true;
}

void LibraryMessageDecoder::Deliver(Variant value) {
    Frame& top = stack_.back();
    if (top.part == Part::Elements) {
        top.elements.push_back(std::move(value));
    } else {
        top.value = std::move(value);
    }
}

// ---- scalars: ids, types, names and the values themselves

bool LibraryMessageDecoder::Take(Scalar scalar) {
    if (stack_.empty()) Fail("not a stored message");
    Frame& top = stack_.back();
    const auto number = [&]() -> std::int64_t {
        if (const auto* signedNumber = std::get_if<std::int64_t>(&scalar)) return *signedNumber;
        if (const auto* unsignedNumber = std::get_if<std::uint64_t>(&scalar)) {
            return static_cast<std::int64_t>(*unsignedNumber);
        }
        if (const auto* real = std::get_if<double>(&scalar)) {
            // Not-a-number and reals past the 64-bit range have no whole number to stand for.
            if (*real >= -0x1p63 && *real < 0x1p63) return static_cast<std::int64_t>(*real);
        }
        Fail("a number was expected");
    };
    const auto real = [&]() -> double {
        if (const auto* value = std::get_if<double>(&scalar)) return *value;
        return static_cast<double>(number());
    };
    const auto text = [&]() -> std::string& {
        if (auto* value = std::get_if<std::string>(&scalar)) return *value;
        Fail("a text was expected");
    };
    switch (top.part) {
        case Part::Attachment:
            if (top.key != "e" || !std::holds_alternative<std::nullptr_t>(scalar)) Fail("a value where none belongs");
            return true;
        case Part::TaggedEntry:
            if (top.position == 0) {
                top.id = static_cast<std::uint16_t>(number());
            } else if (top.position == 1) {
                top.type = static_cast<std::uint16_t>(number());
            } else {
                Fail("a property entry of the wrong shape");
            }
            break;
        case Part::NamedEntry:
            if (top.position == 0) {
                top.propertySet = Guid::Parse(text());
            } else if (top.position == 1) {
                if (std::holds_alternative<std::string>(scalar)) {
                    top.name = std::move(text());
                } else {
                    top.name = static_cast<std::uint32_t>(number());
                }
            } else if (top.position == 2) {
                top.type = static_cast<std::uint16_t>(number());
            } else {
                Fail("a named property entry of the wrong shape");
            }
            break;
        case Part::Value:
            if (top.position == 0) {
                top.valueType = static_cast<Type>(number());
                if (!KnownType(top.valueType)) {
                    Fail("Unknown value type " + std::to_string(static_cast<int>(top.valueType)));
                }
                break;
            }
            if (top.position > 1) Fail("a value of the wrong shape");
            switch (top.valueType) {
                case Type::Empty:
                case Type::Null: break;
                case Type::Integer: top.value = Variant(static_cast<std::int16_t>(number())); break;
                case Type::Long: top.value = Variant(static_cast<std::int32_t>(number())); break;
                case Type::Double: top.value = Variant(real()); break;
                case Type::Date: top.value = Variant(Date(real())); break;
                case Type::String: top.value = Variant(std::move(text())); break;
                case Type::Boolean:
                    if (!std::holds_alternative<bool>(scalar)) Fail("a yes or no was expected");
                    top.value = Variant(std::get<bool>(scalar));
                    break;
                case Type::ByteArray:
                    if (!std::holds_alternative<Bytes>(scalar)) Fail("bytes were expected");
                    top.value = Variant(std::move(std::get<Bytes>(scalar)));
                    break;
                default: Fail("a list of values was expected");
            }
            break;
        default: Fail("a value where none belongs");
    }
    ++top.position;
    return true;
}

bool LibraryMessageDecoder::null() { return Take(nullptr); }

bool LibraryMessageDecoder::boolean(bool value) { return Take(value); }

bool LibraryMessageDecoder::number_integer(number_integer_t value) { return Take(std::int64_t{value}); }

bool LibraryMessageDecoder::number_unsigned(number_unsigned_t value) { return Take(std::uint64_t{value}); }

bool LibraryMessageDecoder::number_float(number_float_t value, const string_t&) { return Take(double{value}); }

bool LibraryMessageDecoder::string(string_t& value) { return Take(std::move(value)); }

bool LibraryMessageDecoder::binary(binary_t& value) {
    return Take(Bytes(std::move(static_cast<std::vector<std::uint8_t>&>(value))));
}

bool LibraryMessageDecoder::parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    Fail(error.what());
}

}  // namespace ostrellix::standin::outlook

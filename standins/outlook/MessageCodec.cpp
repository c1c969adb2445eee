#include "standins/outlook/MessageCodec.h"

#include <bit>
#include <cmath>
#include <limits>

#include "runtime/ComError.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MessageDecoder.h"

namespace ostrellix::standin::outlook {

namespace {

using Type = Variant::Type;

// Writes the CBOR of a message straight into bytes, as the general JSON
// encoder wrote it from a document (map keys in sorted order, integers and
// lengths in their shortest form, a real as a 32-bit float when that holds
// it exactly), without building the document: every save encodes its message.
class Writer {
public:
    explicit Writer(Bytes& out) : out_(out) {}

    void Message(const msg::MessageData& message) {
        Head(kMap, 3);
        Text("a");
        Head(kArray, message.attachments.size());
        for (const msg::AttachmentData& attachment : message.attachments) {
            Head(kMap, 2);
            Text("e");
            if (attachment.embedded) {
                Message(*attachment.embedded);
            } else {
                out_.push_back(kNull);
            }
            Text("p");
            Bag(attachment.properties);
        }
        Text("p");
        Bag(message.properties);
        Text("r");
        Head(kArray, message.recipients.size());
        for (const msg::RecipientData& recipient : message.recipients) Bag(recipient.properties);
    }

private:
    static constexpr std::uint8_t kUnsigned = 0x00, kNegative = 0x20, kBytes = 0x40, kText = 0x60, kArray = 0x80,
                                  kMap = 0xA0;
    static constexpr std::uint8_t kFalse = 0xF4, kTrue = 0xF5, kNull = 0xF6, kFloat = 0xFA, kDouble = 0xFB;

    void Bag(const msg::PropertyBag& bag) {
        Head(kMap, 2);
        Text("n");
        Head(kArray, bag.Named().size());
        for (const auto& [name, property] : bag.Named()) {
            Head(kArray, 4);
            Text(name.propertySet.ToString());
            if (const auto* id = std::get_if<std::uint32_t>(&name.id)) {
                Head(kUnsigned, *id);
            } else {
                Text(std::get<std::string>(name.id));
            }
            Head(kUnsigned, property.type);
            Value(property.value);
        }
        Text("t");
        Head(kArray, bag.Tagged().size());
        for (const auto& [id, property] : bag.Tagged()) {
            Head(kArray, 3);
            Head(kUnsigned, id);
            Head(kUnsigned, property.type);
            Value(property.value);
        }
    }

    void Value(const Variant& value) {
        const Type type = value.VarType();
        const bool empty = type == Type::Empty || type == Type::Null;
        Head(kArray, empty ? 1 : 2);
        Head(kUnsigned, static_cast<std::uint16_t>(type));
        switch (type) {
            case Type::Empty:
            case Type::Null: return;
            case Type::Integer:
            case Type::Long: return Integer(value.ToLong());
            case Type::Double: return Real(value.ToDouble());
            case Type::Date: return Real(value.ToDate().Serial());
            case Type::String: return Text(value.ToString());
            case Type::Boolean: return out_.push_back(value.ToBoolean() ? kTrue : kFalse);
            case Type::ByteArray: {
                const Bytes& bytes = value.ToBytes();
                Head(kBytes, bytes.size());
                out_.insert(out_.end(), bytes.begin(), bytes.end());
                return;
            }
            case Type::Array: {
                const VariantArray& elements = value.ToArray();
                Head(kArray, elements.size());
                for (const Variant& element : elements) Value(element);
                return;
            }
            case Type::Object: break;
        }
        throw ComError(::ostrellix::errors::TypeMismatch, errors::kSource,
                       "An object cannot be stored as a property value");
    }

    void Integer(std::int64_t number) {
        if (number >= 0) {
            Head(kUnsigned, static_cast<std::uint64_t>(number));
        } else {
            Head(kNegative, static_cast<std::uint64_t>(-1 - number));
        }
    }

    void Real(double number) {
        if (std::isnan(number)) return Append({0xF9, 0x7E, 0x00});
        if (std::isinf(number)) return Append({0xF9, static_cast<std::uint8_t>(number > 0 ? 0x7C : 0xFC), 0x00});
        if (std::abs(number) <= static_cast<double>(std::numeric_limits<float>::max()) &&
            static_cast<double>(static_cast<float>(number)) == number) {
            out_.push_back(kFloat);
            Big(std::bit_cast<std::uint32_t>(static_cast<float>(number)), 4);
        } else {
            out_.push_back(kDouble);
            Big(std::bit_cast<std::uint64_t>(number), 8);
        }
    }

    void Text(std::string_view text) {
        Head(kText, text.size());
        out_.insert(out_.end(), text.begin(), text.end());
    }

    // A major type with its number or length.
    void Head(std::uint8_t major, std::uint64_t number) {
        if (number <= 0x17) {
            out_.push_back(static_cast<std::uint8_t>(major | number));
        } else if (number <= 0xFF) {
            out_.push_back(major | 0x18);
            Big(number, 1);
        } else if (number <= 0xFFFF) {
            out_.push_back(major | 0x19);
            Big(number, 2);
        } else if (number <= 0xFFFFFFFF) {
            out_.push_back(major | 0x1A);
            Big(number, 4);
        } else {
            out_.push_back(major | 0x1B);
            Big(number, 8);
        }
    }

    void Big(std::uint64_t number, int bytes) {
        for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8) {
            out_.push_back(static_cast<std::uint8_t>(number >> shift));
        }
    }

    void Append(std::initializer_list<std::uint8_t> bytes) { out_.insert(out_.end(), bytes); }

    Bytes& out_;
};

}  // namespace

Bytes MessageCodec::Encode(const msg::MessageData& message) {
    Bytes out;
    out.reserve(1024);
    Writer(out).Message(message);
    return out;
}

msg::MessageData MessageCodec::Decode(std::span<const std::uint8_t> bytes) {
    try {
        return MessageDecoder::Decode(bytes);
    } catch (const ComError& error) {
        errors::Raise(errors::kStoreFailed, "A stored message cannot be read: " + error.Description());
    }
}

}  // namespace ostrellix::standin::outlook

#include "standins/outlook/MessageCodec.h"

#include <nlohmann/json.hpp>

#include "runtime/ComError.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MessageDecoder.h"

namespace ostrellix::standin::outlook {

namespace {

using json = nlohmann::json;
using Type = Variant::Type;

json EncodeVariant(const Variant& value) {
    const auto type = static_cast<std::uint16_t>(value.VarType());
    switch (value.VarType()) {
        case Type::Empty:
        case Type::Null: return json::array({type});
        case Type::Integer:
        case Type::Long: return json::array({type, value.ToLong()});
        case Type::Double: return json::array({type, value.ToDouble()});
        case Type::Date: return json::array({type, value.ToDate().Serial()});
        case Type::String: return json::array({type, value.ToString()});
        case Type::Boolean: return json::array({type, value.ToBoolean()});
        case Type::ByteArray: return json::array({type, json::binary(value.ToBytes())});
        case Type::Array: {
            json elements = json::array();
            for (const Variant& element : value.ToArray()) elements.push_back(EncodeVariant(element));
            return json::array({type, std::move(elements)});
        }
        case Type::Object: break;
    }
    throw ComError(::ostrellix::errors::TypeMismatch, errors::kSource, "An object cannot be stored as a property value");
}

json EncodeBag(const msg::PropertyBag& bag) {
    json tagged = json::array(), named = json::array();
    for (const auto& [id, property] : bag.Tagged()) {
        tagged.push_back(json::array({id, property.type, EncodeVariant(property.value)}));
    }
    for (const auto& [name, property] : bag.Named()) {
        json key = std::holds_alternative<std::uint32_t>(name.id) ? json(std::get<std::uint32_t>(name.id))
                                                                    : json(std::get<std::string>(name.id));
        named.push_back(json::array({name.propertySet.ToString(), key, property.type, EncodeVariant(property.value)}));
    }
    return {{"t", std::move(tagged)}, {"n", std::move(named)}};
}

json EncodeMessage(const msg::MessageData& message) {
    json recipients = json::array(), attachments = json::array();
    for (const msg::RecipientData& recipient : message.recipients) recipients.push_back(EncodeBag(recipient.properties));
    for (const msg::AttachmentData& attachment : message.attachments) {
        attachments.push_back({{"p", EncodeBag(attachment.properties)},
                               {"e", attachment.embedded ? EncodeMessage(*attachment.embedded) : json()}});
    }
    return {{"p", EncodeBag(message.properties)}, {"r", std::move(recipients)}, {"a", std::move(attachments)}};
}

}  // namespace

Bytes MessageCodec::Encode(const msg::MessageData& message) { return json::to_cbor(EncodeMessage(message)); }

msg::MessageData MessageCodec::Decode(std::span<const std::uint8_t> bytes) {
    try {
        return MessageDecoder::Decode(bytes);
    } catch (const json::exception& error) {
        errors::Raise(errors::kStoreFailed, std::string("A stored message cannot be read: ") + error.what());
    } catch (const ComError& error) {
        errors::Raise(errors::kStoreFailed, "A stored message cannot be read: " + error.Description());
    }
}

}  // namespace ostrellix::standin::outlook

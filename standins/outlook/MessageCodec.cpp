#include "standins/outlook/MessageCodec.h"

#include <nlohmann/json.hpp>

#include "runtime/ComError.h"
#include "standins/outlook/Errors.h"

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

Variant DecodeVariant(const json& encoded) {
    const auto type = static_cast<Type>(encoded.at(0).get<std::uint16_t>());
    switch (type) {
        case Type::Empty: return {};
        case Type::Null: return Variant::Null();
        case Type::Integer: return Variant(encoded.at(1).get<std::int16_t>());
        case Type::Long: return Variant(encoded.at(1).get<std::int32_t>());
        case Type::Double: return Variant(encoded.at(1).get<double>());
        case Type::Date: return Variant(Date(encoded.at(1).get<double>()));
        case Type::String: return Variant(encoded.at(1).get<std::string>());
        case Type::Boolean: return Variant(encoded.at(1).get<bool>());
        case Type::ByteArray: return Variant(Bytes(encoded.at(1).get_binary()));
        case Type::Array: {
            VariantArray elements;
            for (const json& element : encoded.at(1)) elements.push_back(DecodeVariant(element));
            return Variant(std::move(elements));
        }
        case Type::Object: break;
    }
    throw ComError(::ostrellix::errors::TypeMismatch, errors::kSource, "Unknown value type " + std::to_string(int(type)));
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

msg::PropertyBag DecodeBag(const json& encoded) {
    msg::PropertyBag bag;
    for (const json& entry : encoded.at("t")) {
        bag.Set(entry.at(0).get<std::uint16_t>(),
                msg::PropertyValue{entry.at(1).get<std::uint16_t>(), DecodeVariant(entry.at(2))});
    }
    for (const json& entry : encoded.at("n")) {
        msg::PropertyName name{Guid::Parse(entry.at(0).get<std::string>()), std::uint32_t{0}};
        if (entry.at(1).is_string()) {
            name.id = entry.at(1).get<std::string>();
        } else {
            name.id = entry.at(1).get<std::uint32_t>();
        }
        bag.SetNamed(name, msg::PropertyValue{entry.at(2).get<std::uint16_t>(), DecodeVariant(entry.at(3))});
    }
    return bag;
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

msg::MessageData DecodeMessage(const json& encoded) {
    msg::MessageData message;
    message.properties = DecodeBag(encoded.at("p"));
    for (const json& recipient : encoded.at("r")) message.recipients.push_back({DecodeBag(recipient)});
    for (const json& attachment : encoded.at("a")) {
        msg::AttachmentData data{DecodeBag(attachment.at("p")), nullptr};
        if (!attachment.at("e").is_null()) {
            data.embedded = std::make_shared<msg::MessageData>(DecodeMessage(attachment.at("e")));
        }
        message.attachments.push_back(std::move(data));
    }
    return message;
}

}  // namespace

Bytes MessageCodec::Encode(const msg::MessageData& message) { return json::to_cbor(EncodeMessage(message)); }

msg::MessageData MessageCodec::Decode(const Bytes& bytes) {
    try {
        return DecodeMessage(json::from_cbor(bytes));
    } catch (const json::exception& error) {
        errors::Raise(errors::kStoreFailed, std::string("A stored message cannot be read: ") + error.what());
    } catch (const ComError& error) {
        errors::Raise(errors::kStoreFailed, "A stored message cannot be read: " + error.Description());
    }
}

}  // namespace ostrellix::standin::outlook

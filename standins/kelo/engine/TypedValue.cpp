#include "standins/kelo/engine/TypedValue.h"

#include <nlohmann/json.hpp>

#include "runtime/Base64.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/EngineError.h"

namespace ostrellix::standin::kelo {

namespace {

using Type = Variant::Type;

nlohmann::json ToJsonValue(const TypedValue::Stored& stored) {
    return std::visit(
        [](const auto& v) -> nlohmann::json {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) return nullptr;
            else if constexpr (std::is_same_v<T, Bytes>) return Base64Encode(v);
            else return v;
        },
        stored.value);
}

SqlValue FromJsonValue(std::int64_t kind, const nlohmann::json& json) {
    switch (static_cast<Type>(kind)) {
        case Type::Empty:
        case Type::Null: return {};
        case Type::Double:
        case Type::Date: return json.get<double>();
        case Type::String:
        case Type::Array: return json.get<std::string>();
        case Type::ByteArray: return Base64Decode(json.get<std::string>());
        default: return json.get<std::int64_t>();
    }
}

}  // namespace

TypedValue::Stored TypedValue::Encode(const Variant& value, const std::string& what) {
    const auto kind = static_cast<std::int64_t>(value.VarType());
    switch (value.VarType()) {
        case Type::Empty:
        case Type::Null: return {kind, {}};
        case Type::Boolean: return {kind, std::int64_t(value.ToBoolean() ? 1 : 0)};
        case Type::Integer:
        case Type::Long: return {kind, std::int64_t(value.ToLong())};
        case Type::Double: return {kind, value.ToDouble()};
        case Type::Date: return {kind, value.ToDate().Serial()};
        case Type::String: return {kind, value.ToString()};
        case Type::ByteArray: return {kind, value.ToBytes()};
        case Type::Array: {
            nlohmann::json items = nlohmann::json::array();
            for (const Variant& item : value.ToArray()) items.push_back(TypedValue::ToJson(item, what));
            return {kind, items.dump()};
        }
        case Type::Object: break;
    }
    throw ComError(errors::TypeMismatch, kEngineSource, "Type mismatch: " + what + " cannot hold an object");
}

Variant TypedValue::Decode(std::int64_t kind, const SqlValue& value) {
    const auto asInt = [&] { return std::get<std::int64_t>(value); };
    const auto asDouble = [&] {
        return std::holds_alternative<double>(value) ? std::get<double>(value) : double(std::get<std::int64_t>(value));
    };
    switch (static_cast<Type>(kind)) {
        case Type::Empty: return {};
        case Type::Null: return Variant::Null();
        case Type::Boolean: return Variant(asInt() != 0);
        case Type::Integer: return Variant(static_cast<std::int16_t>(asInt()));
        case Type::Long: return Variant(static_cast<std::int32_t>(asInt()));
        case Type::Double: return Variant(asDouble());
        case Type::Date: return Variant(Date(asDouble()));
        case Type::String: return Variant(std::get<std::string>(value));
        case Type::ByteArray: return Variant(std::get<Bytes>(value));
        case Type::Array: {
            VariantArray items;
            for (const auto& item : nlohmann::json::parse(std::get<std::string>(value)))
                items.push_back(FromJson(item));
            return Variant(std::move(items));
        }
        case Type::Object: break;
    }
    throw ComError(errors::TypeMismatch, kEngineSource, "A stored value has the unknown kind " + std::to_string(kind));
}

nlohmann::json TypedValue::ToJson(const Variant& value, const std::string& what) {
    const Stored stored = Encode(value, what);
    return nlohmann::json::array({stored.kind, ToJsonValue(stored)});
}

Variant TypedValue::FromJson(const nlohmann::json& pair) {
    try {
        const auto kind = pair.at(0).get<std::int64_t>();
        return Decode(kind, FromJsonValue(kind, pair.at(1)));
    } catch (const nlohmann::json::exception& error) {
        throw ComError(errors::TypeMismatch, kEngineSource, std::string("A stored value is not a kind and a value: ") +
                                                                  error.what());
    }
}

}  // namespace ostrellix::standin::kelo

#include "standins/outlook/PropertyAccessor.h"

#include <optional>

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/PropertyLocation.h"

namespace ostrellix::standin::outlook {

namespace {

namespace pt = msg::pt;

constexpr std::string_view kMapi = "http://schemas.microsoft.com/mapi/";

std::optional<std::uint32_t> Hex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

bool IsString(std::uint16_t type) { return type == pt::String8 || type == pt::Unicode; }

// The type a value of unknown type is stored with.
std::uint16_t TypeOf(const Variant& value) {
    switch (value.VarType()) {
        case Variant::Type::Integer:
        case Variant::Type::Long: return pt::Long;
        case Variant::Type::Double: return pt::Double;
        case Variant::Type::Boolean: return pt::Boolean;
        case Variant::Type::Date: return pt::SysTime;
        case Variant::Type::ByteArray: return pt::Binary;
        default: return pt::Unicode;
    }
}

struct Target {
    std::optional<std::uint32_t> tag;        // by tag, below the named range
    std::optional<msg::PropertyName> named;  // a named property
    std::optional<std::uint16_t> type;       // none for a name given by string
};

[[noreturn]] void Malformed(std::string_view schemaName) {
    errors::Raise(errors::kInvalidArgument,
                  "The property \"" + std::string(schemaName) + "\" is unknown or cannot be found.");
}

Target Parse(std::string_view schemaName, Instance& outlook) {
    if (!text::EqualsIgnoreCase(schemaName.substr(0, kMapi.size()), kMapi)) Malformed(schemaName);
    const std::string_view rest = schemaName.substr(kMapi.size());
    auto starts = [&](std::string_view prefix) {
        return text::EqualsIgnoreCase(rest.substr(0, prefix.size()), prefix);
    };
    if (starts("proptag/0x")) {
        const std::string_view digits = rest.substr(10);
        const std::optional<std::uint32_t> tag = Hex(digits);
        if (!tag || digits.size() != 8) Malformed(schemaName);
        if (msg::TagId(*tag) < msg::kFirstNamedId) return {tag, std::nullopt, msg::TagType(*tag)};
        return {std::nullopt, outlook.Store().NamedProperties().NameOf(msg::TagId(*tag)), msg::TagType(*tag)};
    }
    const bool byId = starts("id/{"), byString = starts("string/{");
    if (!byId && !byString) Malformed(schemaName);
    const std::size_t open = rest.find('{'), slash = rest.find('/', open);
    if (slash == std::string_view::npos) Malformed(schemaName);
    Guid set;
    try {
        set = Guid::Parse(rest.substr(open, slash - open));
    } catch (const ComError&) {
        Malformed(schemaName);
    }
    const std::string_view key = rest.substr(slash + 1);
    if (byString) {
        if (key.empty()) Malformed(schemaName);
        return {std::nullopt, msg::PropertyName{set, std::string(key)}, std::nullopt};
    }
    const std::optional<std::uint32_t> idAndType = Hex(key);
    if (!idAndType || key.size() != 8) Malformed(schemaName);
    return {std::nullopt, msg::PropertyName{set, *idAndType >> 16}, msg::TagType(*idAndType)};
}

}  // namespace

Variant PropertyAccessor::GetProperty(std::string_view schemaName) {
    const Target target = Parse(schemaName, Live());
    const msg::PropertyBag& bag = read_();
    std::optional<msg::PropertyValue> found;
    if (target.tag) {
        found = bag.Get(*target.tag);
    } else if (target.named) {
        found = bag.GetNamed(*target.named);
    }
    if (!found) return {};
    if (target.type && *target.type != found->type && !(IsString(*target.type) && IsString(found->type))) return {};
    return found->value;
}

void PropertyAccessor::SetProperty(std::string_view schemaName, const Variant& value) {
    const Target target = Parse(schemaName, Live());
    if (!edit_) errors::Raise(errors::kFailed, "The property \"" + std::string(schemaName) + "\" cannot be changed.");
    const std::uint16_t type = target.type.value_or(TypeOf(value));
    if (target.tag) {
        edit_().Set(*target.tag, PropertyLocation::Convert(value, type));
    } else if (target.named) {
        edit_().SetNamed(*target.named, {type, PropertyLocation::Convert(value, type)});
    } else {
        Malformed(schemaName);
    }
}

}  // namespace ostrellix::standin::outlook

#include "runtime/Variant.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// A number written in text: decimal with optional sign, fraction and
// exponent, or the platform's hexadecimal (&H) and octal (&O) forms.
std::optional<double> ParseNumber(std::string_view raw) {
    const std::string s = text::Trim(raw);
    if (s.empty()) return std::nullopt;
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        char* end = nullptr;
        errno = 0;
        const unsigned long long value = std::strtoull(s.c_str() + 2, &end, base);
        if (errno != 0 || *end != '\0' || value > 0xFFFFFFFFull) return std::nullopt;
        // Up to four hex digits read as 16-bit, longer as 32-bit, both signed.
        if (s.size() - 2 <= (base == 16 ? 4u : 6u) && value <= 0xFFFF) {
            return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
        }
        return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    }
    for (char c : s) {
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == 'e' ||
              c == 'E')) {
            return std::nullopt;  // strtod would also take "inf", "nan" and hex floats
        }
    }
    char* end = nullptr;
    const double value = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

double RoundHalfEven(double value) {
    const double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
    return rounded;
}

template <class Int>
Int ToIntegral(double value) {
    const double rounded = RoundHalfEven(value);
    if (std::isnan(rounded) || rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max())) {
        RaiseRuntimeError(errors::Overflow);
    }
    return static_cast<Int>(rounded);
}

std::string FormatDouble(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string s = buffer;
    // The platform writes exponents without leading zeros: 1E+20, 1E-05.
    if (const auto e = s.find('E'); e != std::string::npos) {
        std::string mantissa = s.substr(0, e), sign = s.substr(e + 1, 1), digits = s.substr(e + 2);
        while (digits.size() > 2 && digits.front() == '0') digits.erase(0, 1);
        s = mantissa + "E" + sign + digits;
    }
    return s == "-0" ? "0" : s;
}

}  // namespace

Variant Variant::Null() { return Variant(Storage(NullTag{})); }

Variant::Variant(VariantArray value) : value_(std::make_shared<const VariantArray>(std::move(value))) {}

Variant::Type Variant::VarType() const {
    static constexpr Type types[] = {Type::Empty, Type::Null,   Type::Boolean, Type::Integer,
                                     Type::Long,  Type::Double, Type::Date,    Type::String,
                                     Type::ByteArray, Type::Object, Type::Array};
    return types[value_.index()];
}

bool Variant::IsNull() const { return std::holds_alternative<NullTag>(value_); }
bool Variant::IsObject() const { return std::holds_alternative<ObjectPtr>(value_); }
bool Variant::IsNothing() const { return IsObject() && !std::get<ObjectPtr>(value_); }
bool Variant::IsString() const { return std::holds_alternative<std::string>(value_); }
bool Variant::IsArray() const {
    return std::holds_alternative<Bytes>(value_) || std::holds_alternative<std::shared_ptr<const VariantArray>>(value_);
}

bool Variant::IsNumeric() const {
    switch (VarType()) {
        case Type::Empty:
        case Type::Boolean:
        case Type::Integer:
        case Type::Long:
        case Type::Double: return true;
        case Type::String: return ParseNumber(std::get<std::string>(value_)).has_value();
        default: return false;
    }
}

bool Variant::IsDate() const {
    if (std::holds_alternative<Date>(value_)) return true;
    return IsString() && Date::TryParse(std::get<std::string>(value_)).has_value();
}

double Variant::NumberForConversion() const {
    return std::visit(
        Overloaded{
            [](std::monostate) { return 0.0; },
            [](NullTag) -> double { RaiseRuntimeError(errors::InvalidUseOfNull); },
            [](bool b) { return b ? -1.0 : 0.0; },
            [](std::int16_t i) { return double(i); },
            [](std::int32_t i) { return double(i); },
            [](double d) { return d; },
            [](Date d) { return d.Serial(); },
            [](const std::string& s) {
                if (auto number = ParseNumber(s)) return *number;
                if (text::EqualsIgnoreCase(s, "True")) return -1.0;
                if (text::EqualsIgnoreCase(s, "False")) return 0.0;
                RaiseRuntimeError(errors::TypeMismatch);
            },
            [](const auto&) -> double { RaiseRuntimeError(errors::TypeMismatch); },
        },
        value_);
}

std::string Variant::ToString() const {
    return std::visit(
        Overloaded{
            [](std::monostate) { return std::string(); },
            [](NullTag) -> std::string { RaiseRuntimeError(errors::InvalidUseOfNull); },
            [](bool b) { return std::string(b ? "True" : "False"); },
            [](std::int16_t i) { return std::to_string(i); },
            [](std::int32_t i) { return std::to_string(i); },
            [](double d) { return FormatDouble(d); },
            [](Date d) { return d.ToString(); },
            [](const std::string& s) { return s; },
            [](const auto&) -> std::string { RaiseRuntimeError(errors::TypeMismatch); },
        },
        value_);
}

std::int32_t Variant::ToLong() const {
    if (auto* i = std::get_if<std::int32_t>(&value_)) return *i;
    return ToIntegral<std::int32_t>(NumberForConversion());
}

std::int16_t Variant::ToInteger() const {
    if (auto* i = std::get_if<std::int16_t>(&value_)) return *i;
    return ToIntegral<std::int16_t>(NumberForConversion());
}

double Variant::ToDouble() const { return NumberForConversion(); }

bool Variant::ToBoolean() const {
    if (auto* b = std::get_if<bool>(&value_)) return *b;
    return NumberForConversion() != 0.0;
}

Date Variant::ToDate() const {
    if (auto* d = std::get_if<Date>(&value_)) return *d;
    if (auto* s = std::get_if<std::string>(&value_)) {
        if (auto date = Date::TryParse(*s)) return *date;
        RaiseRuntimeError(errors::TypeMismatch);
    }
    const double serial = NumberForConversion();
    // The platform's date range: 100-01-01 to 9999-12-31 23:59:59.
    if (serial < -657434.0 || serial >= 2958466.0) RaiseRuntimeError(errors::Overflow);
    return Date(serial);
}

ObjectPtr Variant::ToObject() const {
    if (auto* o = std::get_if<ObjectPtr>(&value_)) return *o;
    RaiseRuntimeError(errors::ObjectRequired);
}

const Bytes& Variant::ToBytes() const {
    if (auto* b = std::get_if<Bytes>(&value_)) return *b;
    RaiseRuntimeError(errors::TypeMismatch);
}

const VariantArray& Variant::ToArray() const {
    if (auto* a = std::get_if<std::shared_ptr<const VariantArray>>(&value_)) return **a;
    RaiseRuntimeError(errors::TypeMismatch);
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.value_.index() != b.value_.index()) return false;
    if (a.IsObject()) return SameObject(std::get<ObjectPtr>(a.value_), std::get<ObjectPtr>(b.value_));
    if (a.VarType() == Variant::Type::Array) return a.ToArray() == b.ToArray();
    return a.value_ == b.value_;
}

}  // namespace ostrellix

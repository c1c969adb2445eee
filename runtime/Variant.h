#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "runtime/Date.h"
#include "runtime/Object.h"

namespace ostrellix {

class Variant;
using Bytes = std::vector<std::uint8_t>;
using VariantArray = std::vector<Variant>;

// The loosely typed value of automation calls. Type codes are the
// platform's (VarType), so that values such as "value type 7 date, 8 text"
// mean the same here. An Object variant may hold nothing (a null reference),
// which is not the same as Empty or Null.
//
// Conversions follow the platform's rules:
//  - Empty converts to "", 0, False and 1899-12-30; Null to anything raises 94;
//  - a value of the wrong kind raises 13 (type mismatch);
//  - a number outside the target's range raises 6 (overflow);
//  - doubles round half to even on the way to integers;
//  - Booleans are -1 (True) and 0 (False) as numbers, "True"/"False" as text;
//  - dates convert through the fixed text form of Date.
class Variant {
public:
    enum class Type : std::uint16_t {
        Empty = 0,
        Null = 1,
        Integer = 2,
        Long = 3,
        Double = 5,
        Date = 7,
        String = 8,
        Object = 9,
        Boolean = 11,
        Array = 0x200C,      // array of variants
        ByteArray = 0x2011,  // array of bytes
    };

    Variant() = default;
    static Variant Null();

    Variant(bool value) : value_(value) {}
    Variant(std::int16_t value) : value_(value) {}
    Variant(int value) : value_(static_cast<std::int32_t>(value)) {}
    Variant(double value) : value_(value) {}
    Variant(Date value) : value_(value) {}
    Variant(std::string value) : value_(std::move(value)) {}
    Variant(std::string_view value) : value_(std::string(value)) {}
    Variant(const char* value) : value_(std::string(value)) {}
    Variant(Bytes value) : value_(std::move(value)) {}
    Variant(VariantArray value);
    template <class T, std::enable_if_t<std::is_base_of_v<Object, T>, int> = 0>
    Variant(Ptr<T> object) : value_(ObjectPtr(std::move(object))) {}

    Type VarType() const;
    bool IsEmpty() const { return value_.index() == 0; }
    bool IsNull() const;
    bool IsObject() const;
    bool IsNothing() const;  // an Object variant holding no object
    bool IsArray() const;
    bool IsString() const;
    bool IsNumeric() const;  // a number, a Boolean, Empty, or text that reads as a number
    bool IsDate() const;     // a date, or text in the fixed date form

    // Conversions (the platform's CStr, CLng, CInt, CDbl, CBool, CDate).
    std::string ToString() const;
    std::int32_t ToLong() const;
    std::int16_t ToInteger() const;
    double ToDouble() const;
    bool ToBoolean() const;
    Date ToDate() const;

    // Contents of a kind; raise 13 (424 for objects) when the variant is of another kind.
    ObjectPtr ToObject() const;
    template <class T>
    Ptr<T> ToObjectAs() const {
        return std::dynamic_pointer_cast<T>(ToObject());
    }
    const Bytes& ToBytes() const;
    const VariantArray& ToArray() const;

    // Same kind and same value; objects compare by identity.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    using Storage = std::variant<std::monostate, NullTag, bool, std::int16_t, std::int32_t, double, Date,
                                 std::string, Bytes, ObjectPtr, std::shared_ptr<const VariantArray>>;
    explicit Variant(Storage value) : value_(std::move(value)) {}
    double NumberForConversion() const;

    Storage value_;
};

}  // namespace ostrellix

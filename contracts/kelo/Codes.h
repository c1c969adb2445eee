#pragma once

#include <cstdint>

// Codes of the Kelo data engine that the add-in relies on by value.
namespace ostrellix::kelo {

// Class labels: what a class stands for.
namespace classlabel {
inline constexpr std::int32_t Company = 1;
inline constexpr std::int32_t Person = 2;
inline constexpr std::int32_t ToDo = 4;
inline constexpr std::int32_t Coworker = 6;
inline constexpr std::int32_t Document = 7;
}  // namespace classlabel

// Field type codes.
namespace fieldtype {
inline constexpr std::int32_t Text = 2;
inline constexpr std::int32_t LongText = 3;
inline constexpr std::int32_t Integer = 4;
inline constexpr std::int32_t Number = 5;
inline constexpr std::int32_t Time = 10;
inline constexpr std::int32_t Date = 11;
inline constexpr std::int32_t DateTime = 12;
inline constexpr std::int32_t EMail = 13;
inline constexpr std::int32_t YesNo = 15;
inline constexpr std::int32_t RelationToOne = 16;
inline constexpr std::int32_t RelationToMany = 21;
inline constexpr std::int32_t Document = 27;
inline constexpr std::int32_t Memo = 28;
}  // namespace fieldtype

// Filter operators.
namespace op {
inline constexpr std::int32_t Equal = 1;  // case-insensitive for text
inline constexpr std::int32_t LaterThan = 5;
inline constexpr std::int32_t Contains = 15;  // partial match
}  // namespace op

// Record state flags.
namespace recordstate {
inline constexpr std::int32_t Loaded = 1;
inline constexpr std::int32_t New = 2;
}  // namespace recordstate

// Document state flags.
namespace documentstate {
inline constexpr std::int32_t ReadOnly = 4;
}  // namespace documentstate

// Kinds of record link.
namespace linkkind {
inline constexpr std::int32_t Desktop = 1;
inline constexpr std::int32_t Web = 2;
inline constexpr std::int32_t Both = 3;
}  // namespace linkkind

// Log entry types.
namespace logtype {
inline constexpr std::int32_t Error = 2;
inline constexpr std::int32_t Progress = 4;
inline constexpr std::int32_t Stop = 6;
}  // namespace logtype

// Show mode of a record window opened by ShowRecord.
inline constexpr std::int32_t kShowModeNewWindow = 2;
// Mouse pointers.
inline constexpr std::int32_t kPointerDefault = 0;
inline constexpr std::int32_t kPointerHourglass = 11;

}  // namespace ostrellix::kelo

#include "standins/message/MsgLayout.h"

#include <cstdio>

#include "standins/message/PropertyTag.h"

namespace ostrellix::standin::message::msg {

std::string StreamName(std::uint32_t tag) {
    char name[32];
    std::snprintf(name, sizeof name, "__substg1.0_%08X", tag);
    return name;
}

std::string StreamName(std::uint32_t tag, std::size_t index) {
    char name[48];
    std::snprintf(name, sizeof name, "__substg1.0_%08X-%08X", tag, static_cast<unsigned>(index));
    return name;
}

std::string ChildName(std::string_view prefix, std::size_t index) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(index));
    return std::string(prefix) + digits;
}

std::optional<std::size_t> ChildIndex(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + 8 || name.substr(0, prefix.size()) != prefix) return std::nullopt;
    std::size_t index = 0;
    for (char c : name.substr(prefix.size())) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            return std::nullopt;
        }
        index = index * 16 + static_cast<std::size_t>(digit);
    }
    return index;
}

bool IsFixedSize(std::uint16_t type) {
    switch (type) {
        case pt::Short:
        case pt::Long:
        case pt::Float:
        case pt::Double:
        case pt::Currency:
        case pt::AppTime:
        case pt::Error:
        case pt::Boolean:
        case pt::Long64:
        case pt::SysTime: return true;
        default: return false;
    }
}

bool IsFixedArray(std::uint16_t elementType) { return IsFixedSize(elementType) || elementType == pt::Guid; }

std::size_t FixedElementWidth(std::uint16_t type) {
    switch (type) {
        case pt::Guid: return 16;
        case pt::Short: return 2;
        case pt::Long:
        case pt::Float:
        case pt::Error:
        case pt::Boolean: return 4;
        default: return 8;
    }
}

}  // namespace ostrellix::standin::message::msg


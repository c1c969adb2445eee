#pragma once

#include <cstdint>

#include "runtime/Guid.h"
#include "runtime/Object.h"

namespace ostrellix::win {

// The table of running automation servers by class id: a program that is
// running registers its application object, and GetActiveObject finds it
// (the platform's GetActiveObject). Nothing registered raises
// MK_E_UNAVAILABLE (0x800401E3).
class IRunningObjectTable {
public:
    virtual ~IRunningObjectTable() = default;

    // Returns a cookie for Revoke.
    virtual std::uint32_t Register(const Guid& classId, ObjectPtr object) = 0;
    virtual void Revoke(std::uint32_t cookie) = 0;
    virtual ObjectPtr GetActiveObject(const Guid& classId) = 0;
};

inline constexpr std::int32_t MK_E_UNAVAILABLE = static_cast<std::int32_t>(0x800401E3u);

}  // namespace ostrellix::win

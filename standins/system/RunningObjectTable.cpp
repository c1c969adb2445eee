#include "standins/system/RunningObjectTable.h"

#include "runtime/ComError.h"

namespace ostrellix::standin::system {

std::uint32_t RunningObjectTable::Register(const Guid& classId, ObjectPtr object) {
    const std::uint32_t cookie = nextCookie_++;
    entries_.emplace(cookie, std::make_pair(classId, std::move(object)));
    return cookie;
}

void RunningObjectTable::Revoke(std::uint32_t cookie) { entries_.erase(cookie); }

ObjectPtr RunningObjectTable::GetActiveObject(const Guid& classId) {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->second.first == classId) return it->second.second;
    }
    throw ComError(win::MK_E_UNAVAILABLE, "Ostrellix.RunningObjectTable",
                   "Operation unavailable: no running object of class " + classId.ToString());
}

}  // namespace ostrellix::standin::system

#pragma once

#include <map>
#include <utility>

#include "contracts/win/IRunningObjectTable.h"

namespace ostrellix::standin::system {

// Running automation servers of this process, by class id. The latest
// registration of a class id is the one found.
class RunningObjectTable final : public win::IRunningObjectTable {
public:
    std::uint32_t Register(const Guid& classId, ObjectPtr object) override;
    void Revoke(std::uint32_t cookie) override;
    ObjectPtr GetActiveObject(const Guid& classId) override;

private:
    std::map<std::uint32_t, std::pair<Guid, ObjectPtr>> entries_;
    std::uint32_t nextCookie_ = 1;
};

}  // namespace ostrellix::standin::system

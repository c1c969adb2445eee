#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IRecord.h"

namespace ostrellix::kelo {

// A user of the Kelo client, and the coworker record that stands for the
// user in the database (nothing when none is linked).
class IUser : public virtual Object {
public:
    virtual std::int32_t ID() = 0;
    virtual std::string Name() = 0;
    virtual Ptr<IRecord> Record() = 0;
};

}  // namespace ostrellix::kelo

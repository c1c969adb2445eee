#pragma once

#include "runtime/Object.h"

namespace ostrellix::kelo {

// The client's record of one loaded add-in; the add-in leaves itself in Object.
class IAddInInstance : public virtual Object {
public:
    virtual ObjectPtr Object() = 0;
    virtual void SetObject(const ObjectPtr& object) = 0;
};

}  // namespace ostrellix::kelo

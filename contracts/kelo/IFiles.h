#pragma once

#include <cstdint>

#include "contracts/kelo/IFile.h"

namespace ostrellix::kelo {

// The files to attach that the client hands over, in order.
class IFiles : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IFile> Item(std::int32_t index) = 0;  // 1-based; raises 9 out of range
};

}  // namespace ostrellix::kelo

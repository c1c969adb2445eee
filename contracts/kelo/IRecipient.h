#pragma once

#include <cstdint>
#include <string>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// A recipient the client hands to its mail channel: an address and its
// type (1 To, 2 CC, 3 BCC; other values are the client's own).
class IRecipient : public virtual Object {
public:
    virtual std::int32_t Type() = 0;
    virtual std::string Address() = 0;
};

}  // namespace ostrellix::kelo

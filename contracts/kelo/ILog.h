#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// The client's log, kept in the database (entry types: Codes.h logtype).
class ILog : public virtual Object {
public:
    virtual void Add(std::int32_t type, std::string_view source, std::string_view location, std::string_view code,
                     std::string_view message) = 0;
};

}  // namespace ostrellix::kelo

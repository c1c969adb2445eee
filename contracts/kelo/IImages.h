#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/kelo/IImage.h"

namespace ostrellix::kelo {

// The client's image service: its pictures by name ("MAIL", "APPOINTMENT",
// "CONTACT", "TASK", "OUTLOOK" ...) in square sizes of 16, 24 or 32 pixels.
class IImages : public virtual Object {
public:
    // Nothing when the client has no picture of that name or size.
    virtual Ptr<IImage> Item(std::string_view name, std::int32_t size) = 0;
};

}  // namespace ostrellix::kelo

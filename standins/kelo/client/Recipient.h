#pragma once

#include <string>

#include "contracts/kelo/IRecipient.h"

namespace ostrellix::standin::kelo {

// A recipient as the client's mail dialog makes it.
class Recipient final : public ostrellix::kelo::IRecipient {
public:
    Recipient(std::int32_t type, std::string address) : type_(type), address_(std::move(address)) {}

    std::int32_t Type() override { return type_; }
    std::string Address() override { return address_; }

private:
    std::int32_t type_;
    std::string address_;
};

}  // namespace ostrellix::standin::kelo

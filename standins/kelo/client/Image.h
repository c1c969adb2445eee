#pragma once

#include "contracts/kelo/IImage.h"

namespace ostrellix::standin::kelo {

// A picture of the client's image service. The client shows no pixels on
// this machine, so a picture is its name and size.
class Image final : public ostrellix::kelo::IImage {
public:
    Image(std::string name, std::int32_t size) : name_(std::move(name)), size_(size) {}

    std::string Name() override { return name_; }
    std::int32_t Width() override { return size_; }
    std::int32_t Height() override { return size_; }

private:
    std::string name_;
    std::int32_t size_;
};

}  // namespace ostrellix::standin::kelo

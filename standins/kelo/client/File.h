#pragma once

#include <string>

#include "contracts/kelo/IFile.h"

namespace ostrellix::standin::kelo {

// A file to attach as the client's mail dialog lists it.
class File final : public ostrellix::kelo::IFile {
public:
    File(std::string filename, std::string displayValue)
        : filename_(std::move(filename)), displayValue_(std::move(displayValue)) {}

    std::string Filename() override { return filename_; }
    std::string DisplayValue() override { return displayValue_; }

private:
    std::string filename_;
    std::string displayValue_;
};

}  // namespace ostrellix::standin::kelo

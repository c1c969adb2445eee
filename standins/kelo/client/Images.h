#pragma once

#include "contracts/kelo/IImages.h"

namespace ostrellix::standin::kelo {

// The client's image service: pictures for the kinds of Outlook folder
// ("MAIL", "APPOINTMENT", "CONTACT", "TASK", "OUTLOOK") and for the kinds
// of record ("COMPANY", "PERSON", "TODO", "COWORKER", "DOCUMENT"), each in
// 16, 24 and 32 pixels; names ignore case.
class Images final : public ostrellix::kelo::IImages {
public:
    Ptr<ostrellix::kelo::IImage> Item(std::string_view name, std::int32_t size) override;
};

}  // namespace ostrellix::standin::kelo

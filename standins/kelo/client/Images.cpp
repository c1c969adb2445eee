#include "standins/kelo/client/Images.h"

#include "runtime/Text.h"
#include "standins/kelo/client/Image.h"

namespace ostrellix::standin::kelo {

Ptr<ostrellix::kelo::IImage> Images::Item(std::string_view name, std::int32_t size) {
    static const char* const kNames[] = {"MAIL",    "APPOINTMENT", "CONTACT", "TASK",     "OUTLOOK",
                                         "COMPANY", "PERSON",      "TODO",    "COWORKER", "DOCUMENT"};
    if (size != 16 && size != 24 && size != 32) return nullptr;
    for (const char* known : kNames) {
        if (text::EqualsIgnoreCase(known, name)) return std::make_shared<Image>(known, size);
    }
    return nullptr;
}

}  // namespace ostrellix::standin::kelo

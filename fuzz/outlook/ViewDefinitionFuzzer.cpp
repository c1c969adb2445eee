#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/ComError.h"
#include "standins/outlook/ViewDefinition.h"

using namespace ostrellix;
using namespace ostrellix::standin::outlook;

// A view definition the control accepts takes any calendar arrangement and
// reads it back; the definition it gives is accepted again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    try {
        ViewDefinition::Validate(xml);
    } catch (const ComError&) {
        return 0;
    }
    try {
        ViewDefinition::CalendarMode(xml);
        const std::int32_t mode = static_cast<std::int32_t>(size % 5);
        const std::string changed = ViewDefinition::WithCalendarMode(xml, mode);
        ViewDefinition::Validate(changed);
        if (ViewDefinition::CalendarMode(changed) != mode) std::abort();
    } catch (const ComError&) {
        std::abort();
    }
    return 0;
}

#include <cstddef>
#include <cstdint>

#include "runtime/ComError.h"
#include "standins/message/EmlReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        ostrellix::standin::message::EmlReader().Read({data, size}, "fuzz.eml");
    } catch (const ostrellix::ComError&) {
    }
    return 0;
}

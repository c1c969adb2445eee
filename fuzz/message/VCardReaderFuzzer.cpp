#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "runtime/ComError.h"
#include "standins/message/VCardReader.h"
#include "standins/message/VCardWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrellix::standin::message;
    std::vector<ContactCard> cards;
    try {
        cards = VCardReader().Read({data, size}, "fuzz.vcf");
    } catch (const ostrellix::ComError&) {
        return 0;
    }
    // Whatever was read must write out as a card that reads back.
    for (const ContactCard& card : cards) {
        const std::string text = VCardWriter::Write(card);
        try {
            VCardReader().Read({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "rewritten.vcf");
        } catch (const ostrellix::ComError&) {
            std::abort();
        }
    }
    return 0;
}

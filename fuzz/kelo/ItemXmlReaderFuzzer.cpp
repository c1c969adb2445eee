#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "runtime/ComError.h"
#include "standins/kelo/client/ItemXmlReader.h"
#include "standins/message/VCardReader.h"
#include "standins/message/VCardWriter.h"

using namespace ostrellix;
using namespace ostrellix::standin;

namespace {

const std::filesystem::path& File() {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("ostrellix-fuzz-item-" + std::to_string(::getpid()) + ".xml");
    static const bool cleanup = (std::atexit([] { std::filesystem::remove(File()); }), true);
    (void)cleanup;
    return file;
}

}  // namespace

// An item XML file gives a contact or raises the import's error; the
// contact it gives can be handed on as a card that reads back.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(File(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    message::ContactCard card;
    try {
        card = kelo::ItemXmlReader::ReadFile(File());
    } catch (const ComError&) {
        return 0;
    }
    const std::string text = message::VCardWriter::Write(card);
    try {
        message::VCardReader().Read({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "contact.vcf");
    } catch (const ComError&) {
        std::abort();
    }
    return 0;
}

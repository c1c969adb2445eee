#pragma once

#include <filesystem>

#include "standins/message/ContactCard.h"

namespace ostrellix::standin::kelo {

// Reads a contact from an item XML file: the root element "IPM" whose
// children are MAPI properties by name (PR_DISPLAY_NAME, PR_EMAIL1_ADDRESS,
// PR_BUSINESS_TELEPHONE_NUMBER, PR_COMPANY_NAME ...). Addresses arrive as
// one text and are kept as the street of the address. A file that does not
// parse, or has another root, raises an error naming the file.
class ItemXmlReader {
public:
    static message::ContactCard ReadFile(const std::filesystem::path& path);
};

}  // namespace ostrellix::standin::kelo

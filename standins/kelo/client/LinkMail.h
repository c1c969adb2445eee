#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IRecord.h"
#include "runtime/Variant.h"

namespace ostrellix::standin::kelo {

// A mail of links to records, as the client's link-mail operation builds
// it. The client has no mail transport of its own on this machine: the mail
// is handed to whoever watches (the command-line host prints it).
struct LinkMail {
    struct Entry {
        std::string descriptive;
        std::vector<std::string> links;  // desktop, web, or both (kind 3)
    };

    std::string subject;
    std::vector<std::string> recipients;
    std::int32_t flags = 0;
    std::int32_t kind = 0;
    std::vector<Entry> entries;

    // The records a caller means: a record, a records collection, a record
    // window (its record), a list window (its selection, else its active
    // entry), a list (its current record) or a selection. Raises 13 for
    // anything else.
    static std::vector<Ptr<ostrellix::kelo::IRecord>> RecordsOf(const Variant& records);
    // Recipients given as a text ("a; b") or an array of texts.
    static std::vector<std::string> RecipientsOf(const Variant& recipients);
};

}  // namespace ostrellix::standin::kelo

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IRecords.h"
#include "runtime/Variant.h"

namespace ostrellix::addin {

// The text of an Outlook mail of links to Kelo records: one HTML line per
// record with its description (cut to 63 characters) and the record's
// desktop link, web link or both, and a subject naming the record or the
// number of records.
class LinkMailBody {
public:
    // `records`: a selection (each selected entry's record, in order), a
    // list (its current record), a record window (its record), a records
    // collection or a record. Anything else is an internal error.
    LinkMailBody(const Ptr<kelo::IApplication>& application, const Variant& records, std::int32_t linkKind);

    std::string Html();
    // `given` unless it is empty.
    std::string Subject(std::string_view given);

private:
    std::string Description(std::int32_t index);

    Ptr<kelo::IApplication> application_;
    Ptr<kelo::IRecords> records_;
    std::int32_t linkKind_;
    std::string localName_;
    std::string localNamePlural_;
};

}  // namespace ostrellix::addin

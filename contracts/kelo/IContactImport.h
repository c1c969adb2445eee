#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// The client's contact import: given vCard (".vcf") and item XML (".xml")
// files under the named value "Source" (an array of paths, or one path),
// Run(kImportContacts) creates person records from them. With the named
// value "Delay" true the new records open in record windows, not yet
// stored, for the user to check and save; otherwise they are stored at once
// (a record the data engine's check refuses opens in a window instead).
class IContactImport : public virtual Object {
public:
    virtual void SetValue(std::string_view name, const Variant& value) = 0;
    virtual void Run(std::int32_t mode) = 0;
};

}  // namespace ostrellix::kelo

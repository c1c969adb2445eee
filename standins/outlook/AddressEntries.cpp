#include "standins/outlook/AddressEntries.h"

#include "standins/outlook/AddressEntry.h"
#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

std::int32_t AddressEntries::Count() { return static_cast<std::int32_t>(Live().Book().Entries(list_).size()); }

Ptr<ol::IAddressEntry> AddressEntries::Item(std::int32_t index) {
    const std::vector<AddressEntryData> entries = Live().Book().Entries(list_);
    if (index < 1 || index > static_cast<std::int32_t>(entries.size())) {
        errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    }
    return std::make_shared<AddressEntry>(SharedOwner(), entries[static_cast<std::size_t>(index - 1)]);
}

}  // namespace ostrellix::standin::outlook

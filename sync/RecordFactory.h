#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IItem.h"

namespace ostrellix::addin {

// New, unsaved Kelo records for Outlook items: the class is found by its
// label; without such a class there is no record (nothing is returned).
class RecordFactory {
public:
    static Ptr<kelo::IRecord> ForItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context);
    static Ptr<kelo::IRecord> Create(std::int32_t classLabel, std::string_view message, std::string_view location);
};

}  // namespace ostrellix::addin

#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/outlook/IItem.h"

namespace ostrellix::outlook {

struct ItemsEvents {
    Signal<const Ptr<IItem>&> ItemAdd;
    Signal<const Ptr<IItem>&> ItemChange;
    Signal<> ItemRemove;
};

// The items of a folder, or a restricted view of them. Filters are
// Outlook's: "[Name] = 'value'" conditions on properties or user
// properties, joined with AND/OR, operators = <> < > <= >=; dates compare
// to the minute. Find and FindNext walk the matches; nothing at the end.
// A malformed filter raises.
class IItems : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IItem> Item(std::int32_t index) = 0;  // 1-based
    // A new unsaved item of that type in the folder.
    virtual Ptr<IItem> Add(std::int32_t itemType) = 0;
    virtual Ptr<IItem> Find(std::string_view filter) = 0;
    virtual Ptr<IItem> FindNext() = 0;
    virtual Ptr<IItems> Restrict(std::string_view filter) = 0;

    virtual ItemsEvents& Events() = 0;
};

}  // namespace ostrellix::outlook

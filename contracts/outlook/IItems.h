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

// The items of a folder in the order they were stored, or a restricted
// view of them (which follows the folder as it changes). Events are raised
// on every live collection of the folder (a restricted one raises ItemAdd
// and ItemChange only for the items it shows).
//
// Filters are Outlook's: conditions "[Name] op value" on an item property
// (Subject, Start, LastModificationTime ...) or a user property, with the
// operators = <> < > <= >=, joined with AND, OR, NOT and parentheses (any
// letter case); values are 'text' or "text" (a doubled quote inside stands
// for one), numbers, or True/False. Text compares without regard to case;
// a date value is read to the minute (seconds are dropped) and compared
// with the item's exact time. An item that lacks the property never
// matches, so "[KeloID] <> ''" finds the items that carry a KeloID.
// A malformed filter, or a property that cannot be filtered on (Body,
// HTMLBody), raises. Find and FindNext walk the matches; nothing at the end.
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

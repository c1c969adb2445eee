#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/outlook/IUserProperty.h"

namespace ostrellix::outlook {

// An item's user properties. Add raises when the name exists already;
// Find gives nothing when it does not. Changes are kept when the item is saved.
class IUserProperties : public virtual Object {
public:
    virtual Ptr<IUserProperty> Add(std::string_view name, std::int32_t type, bool addToFolderFields = true) = 0;
    virtual Ptr<IUserProperty> Find(std::string_view name) = 0;
    virtual std::int32_t Count() = 0;
    virtual Ptr<IUserProperty> Item(std::int32_t index) = 0;  // 1-based
    virtual void Remove(std::int32_t index) = 0;
};

}  // namespace ostrellix::outlook

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/outlook/IPropertyAccessor.h"

namespace ostrellix::outlook {

// An attachment of an item: a file by value (olByValue) or an embedded
// item (olEmbeddeditem).
class IAttachment : public virtual Object {
public:
    virtual std::int32_t Type() = 0;
    virtual std::string FileName() = 0;
    virtual std::string DisplayName() = 0;
    virtual void SaveAsFile(std::string_view path) = 0;
    virtual void Delete() = 0;
    virtual Ptr<IPropertyAccessor> PropertyAccessor() = 0;
};

}  // namespace ostrellix::outlook

#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::outlook {

class IFolder;

// The subfolders of a folder. Add creates one whose items are of the given
// type (olMailItem ...); it raises when the name is taken.
class IFolders : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IFolder> Item(std::int32_t index) = 0;  // 1-based; raises out of range
    virtual Ptr<IFolder> Item(std::string_view name) = 0;  // nothing when absent
    virtual Ptr<IFolder> Add(std::string_view name, std::int32_t itemType) = 0;
};

}  // namespace ostrellix::outlook

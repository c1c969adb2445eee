#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/mapi/IMapiObject.h"

namespace ostrellix::mapi {

class IMessage;

// An attachment (Type 1 a file by value, 5 an embedded message). AsArray
// is the file's bytes (empty for an embedded message); EmbeddedMsg the
// message inside (nothing for a file).
class IAttachment : public virtual IMapiObject {
public:
    virtual std::int32_t Type() = 0;
    virtual std::string FileName() = 0;
    virtual std::string DisplayName() = 0;
    virtual void SaveAsFile(std::string_view path) = 0;
    virtual Bytes AsArray() = 0;
    virtual Ptr<IMessage> EmbeddedMsg() = 0;
};

}  // namespace ostrellix::mapi

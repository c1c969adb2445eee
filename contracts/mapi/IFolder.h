#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/mapi/IMessages.h"

namespace ostrellix::mapi {

// A folder of the store seen through the MAPI library.
class IFolder : public virtual Object {
public:
    virtual std::string EntryID() = 0;
    virtual std::string Name() = 0;
    // The EntryID of the store that holds the folder.
    virtual std::string StoreID() = 0;
    virtual Ptr<IMessages> Items() = 0;
    // Stores the messages of a file (format as IMessage::Import, or 0 to
    // tell a message file from a MIME message by its content) in the folder
    // and returns them, saved. Raises, naming the file, when it cannot be
    // read; nothing is stored then.
    virtual std::vector<Ptr<IMessage>> Import(std::string_view path, std::int32_t format) = 0;
};

}  // namespace ostrellix::mapi

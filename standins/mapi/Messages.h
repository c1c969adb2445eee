#pragma once

#include <string>

#include "contracts/mapi/IMessages.h"
#include "standins/mapi/SessionLink.h"

namespace ostrellix::standin::mapi {

// The messages of a folder, in the order they were stored there. Add makes
// a new, unsent message of the class, stored in the folder on Save.
class Messages final : public api::IMessages {
public:
    Messages(Ptr<SessionLink> link, std::string folderEntryId)
        : link_(std::move(link)), folder_(std::move(folderEntryId)) {}

    Ptr<api::IMessage> Add(std::string_view messageClass) override;
    std::int32_t Count() override;
    Ptr<api::IMessage> Item(std::int32_t index) override;

private:
    Ptr<SessionLink> link_;
    std::string folder_;
};

}  // namespace ostrellix::standin::mapi

#pragma once

#include "contracts/mapi/ITaskItem.h"
#include "standins/mapi/Message.h"

namespace ostrellix::standin::mapi {

// A task seen through the library; its properties are where Outlook keeps them.
class TaskMessage final : public Message, public api::ITaskItem {
public:
    using Message::Message;

    Date StartDate() override { return OutlookValue("StartDate").ToDate(); }
    Date DueDate() override { return OutlookValue("DueDate").ToDate(); }
    bool Complete() override { return OutlookValue("Complete").ToBoolean(); }
    std::string Owner() override { return OutlookText("Owner"); }
};

}  // namespace ostrellix::standin::mapi

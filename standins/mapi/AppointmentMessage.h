#pragma once

#include "contracts/mapi/IAppointmentItem.h"
#include "standins/mapi/Message.h"

namespace ostrellix::standin::mapi {

// A calendar entry seen through the library; its properties are where
// Outlook keeps them.
class AppointmentMessage final : public Message, public api::IAppointmentItem {
public:
    using Message::Message;

    Date Start() override { return OutlookValue("Start").ToDate(); }
    Date End() override { return OutlookValue("End").ToDate(); }
    std::string Location() override { return OutlookText("Location"); }
    std::string Organizer() override { return OutlookText("Organizer"); }
    bool AllDayEvent() override { return OutlookValue("AllDayEvent").ToBoolean(); }
};

}  // namespace ostrellix::standin::mapi

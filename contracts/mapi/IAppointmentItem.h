#pragma once

#include <string>

#include "contracts/mapi/IMessage.h"

namespace ostrellix::mapi {

// A calendar entry seen through the MAPI library (what GetMessageFromID
// gives for an appointment).
class IAppointmentItem : public virtual IMessage {
public:
    virtual Date Start() = 0;
    virtual Date End() = 0;
    virtual std::string Location() = 0;
    virtual std::string Organizer() = 0;
    virtual bool AllDayEvent() = 0;
};

}  // namespace ostrellix::mapi

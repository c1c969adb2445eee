#pragma once

#include <memory>

#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

// A decoded message that every reader of one stored message shares: the
// store's last read, the Outlook item and the MAPI library's message of it
// hold one copy between them instead of one each. Copies share; the first
// Edit through one of them gives that one a copy of its own, so no holder
// ever sees another's unsaved changes.
//
// A reference from Read stays good only until the next Edit of the same
// holder.
class SharedMessage {
public:
    SharedMessage();
    // Implicit: a message made in place is a holder of its own.
    SharedMessage(msg::MessageData data);

    const msg::MessageData& Read() const { return *data_; }
    msg::MessageData& Edit();

private:
    std::shared_ptr<msg::MessageData> data_;
};

}  // namespace ostrellix::standin::outlook

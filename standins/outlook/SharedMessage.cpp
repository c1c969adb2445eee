#include "standins/outlook/SharedMessage.h"

namespace ostrellix::standin::outlook {

SharedMessage::SharedMessage() : data_(std::make_shared<msg::MessageData>()) {}

SharedMessage::SharedMessage(msg::MessageData data) : data_(std::make_shared<msg::MessageData>(std::move(data))) {}

msg::MessageData& SharedMessage::Edit() {
    // Everything runs on the host's one thread, so the count is exact.
    if (data_.use_count() > 1) data_ = std::make_shared<msg::MessageData>(*data_);
    return *data_;
}

}  // namespace ostrellix::standin::outlook

#include "standins/outlook/MapiLogon.h"

#include "standins/outlook/Instance.h"

namespace ostrellix::standin::outlook {

bool MapiLogon::Connected() const { return instance_->Running(); }

Profile& MapiLogon::Session() const {
    instance_->Check("MAPI");
    return instance_->Settings();
}

}  // namespace ostrellix::standin::outlook

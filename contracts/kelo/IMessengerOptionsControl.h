#pragma once

#include <string>

#include "contracts/kelo/IMessenger.h"

namespace ostrellix::kelo {

// The panel in which the user sets up a sending engine's mailing, shown by
// the client's messenger window. It edits a working copy of the engine's
// settings and hands them back on Save (validating them when asked).
class IMessengerOptionsControl : public virtual Object {
public:
    virtual std::string IMessengerOptionsControl_HelpText() = 0;
    virtual bool IMessengerOptionsControl_Dirty() = 0;
    virtual void IMessengerOptionsControl_SetMessenger(const Ptr<IMessenger>& messenger) = 0;
    virtual void IMessengerOptionsControl_Activate() = 0;
    virtual void IMessengerOptionsControl_Deactivate() = 0;
    virtual bool IMessengerOptionsControl_Save(bool validate) = 0;
    virtual void IMessengerOptionsControl_Cancel() = 0;
};

}  // namespace ostrellix::kelo

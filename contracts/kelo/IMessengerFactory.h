#pragma once

#include <string>

#include "contracts/kelo/IMessenger.h"

namespace ostrellix::kelo {

// Offers the client's mass mailing a sending engine.
class IMessengerFactory : public virtual Object {
public:
    virtual std::string IMessengerFactory_LocalName() = 0;
    virtual std::string IMessengerFactory_Name() = 0;
    virtual Ptr<IMessenger> IMessengerFactory_Create() = 0;
};

}  // namespace ostrellix::kelo

#pragma once

#include <cstdint>

#include "contracts/kelo/IAddInInstance.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// The standard add-in entry: the client calls OnConnection with its
// application object after creating the add-in, and OnDisconnection
// before releasing it (removeMode 1: the user unloaded it).
class IDTExtensibility2 : public virtual Object {
public:
    virtual void OnConnection(const ObjectPtr& application, std::int32_t connectMode,
                              const Ptr<IAddInInstance>& addInInst, Variant& custom) = 0;
    virtual void OnDisconnection(std::int32_t removeMode, Variant& custom) = 0;
    virtual void OnAddInsUpdate(Variant& custom) = 0;
    virtual void OnStartupComplete(Variant& custom) = 0;
    virtual void OnBeginShutdown(Variant& custom) = 0;
};

}  // namespace ostrellix::kelo

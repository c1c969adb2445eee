#pragma once

#include "standins/outlook/Instance.h"

namespace ostrellix::standin::outlook {

// Base of the objects of a running Outlook: Live() first checks that
// Outlook still runs. A member called from outside that changes the store
// or raises events holds Entered() while it runs, so that the folder
// events it causes arrive after it has finished, as in Outlook.
class InstanceBound {
public:
    explicit InstanceBound(Ptr<Instance> instance) : instance_(std::move(instance)) {}

protected:
    Instance& Live() const {
        instance_->Check();
        return *instance_;
    }
    [[nodiscard]] Instance::Call Entered() const { return instance_->Enter(); }
    Instance& Unchecked() const { return *instance_; }
    const Ptr<Instance>& SharedOwner() const { return instance_; }

private:
    Ptr<Instance> instance_;
};

}  // namespace ostrellix::standin::outlook

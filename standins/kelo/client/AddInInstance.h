#pragma once

#include <string>

#include "contracts/kelo/IAddInInstance.h"

namespace ostrellix::standin::kelo {

// The client's record of one loaded add-in: its ProgID and the object the
// add-in leaves.
class AddInInstance final : public ostrellix::kelo::IAddInInstance {
public:
    explicit AddInInstance(std::string progId) : progId_(std::move(progId)) {}

    ObjectPtr Object() override { return object_; }
    void SetObject(const ObjectPtr& object) override { object_ = object; }
    const std::string& ProgID() const { return progId_; }

private:
    std::string progId_;
    ObjectPtr object_;
};

}  // namespace ostrellix::standin::kelo

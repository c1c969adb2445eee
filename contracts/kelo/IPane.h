#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/kelo/IImage.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// A side pane of the client: a caption, an icon, and the control it hosts
// (created by ProgID when the pane was added). Named pane properties let
// whoever added a pane recognise it later.
class IPane : public virtual Object {
public:
    virtual std::string Caption() = 0;
    virtual Ptr<IImage> Icon() = 0;
    virtual std::string ControlProgID() = 0;
    virtual std::int32_t Style() = 0;
    virtual ObjectPtr Control() = 0;
    virtual Variant Property(std::string_view name) = 0;  // Empty when absent
    virtual void SetProperty(std::string_view name, const Variant& value) = 0;
};

}  // namespace ostrellix::kelo

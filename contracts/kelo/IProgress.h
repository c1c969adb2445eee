#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// Progress as the client's sending engines (the messenger) report it: a
// number of steps in all, the steps done, and a message line. The work
// dialog ("Kelo.Dialog") offers it beside IWorkDialog; the user may cancel
// between steps.
class IProgress : public virtual Object {
public:
    // Starts over with `count` steps in all, each Step() call worth `stepSize`
    // unless told otherwise; `show` puts the dialog up when it is not yet.
    virtual void Initialize(std::int32_t count, std::int32_t stepSize, std::string_view message, bool show) = 0;
    virtual void SetMessage(std::string_view message) = 0;
    // Advances by `steps` steps.
    virtual void Step(std::int32_t steps) = 0;
    virtual bool Cancelled() = 0;
};

}  // namespace ostrellix::kelo

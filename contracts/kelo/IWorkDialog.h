#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Object.h"
#include "runtime/Signal.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

struct WorkDialogEvents {
    Signal<> Work;
    Signal<> Cancel;
};

// The client's dialog ("Kelo.Dialog"). Show displays it and raises Work,
// whose handler does the work while setting the progress; the user may
// cancel between steps (Cancelled turns true and Cancel is raised). Named
// parameters carry the work's input and output. Shown with a "Filter"
// parameter (and "Class"), it is the client's filter editor instead: the
// user edits that filter and confirms or cancels. The same object offers
// IProgress for engines that count steps.
class IWorkDialog : public virtual Object {
public:
    virtual void SetCaption(std::string_view caption) = 0;
    virtual void SetText(std::string_view text) = 0;
    virtual void SetCancelText(std::string_view text) = 0;
    virtual void SetStyle(std::int32_t style) = 0;  // option flags
    virtual void SetProgressInterval(std::int32_t milliseconds) = 0;
    virtual Variant Parameter(std::string_view name) = 0;
    virtual void SetParameter(std::string_view name, const Variant& value) = 0;
    virtual void SetProgress(std::int32_t percent) = 0;
    virtual bool Cancelled() = 0;
    // dialogresult::OK when the work ran to its end (or the user confirmed),
    // dialogresult::Cancelled when the user cancelled.
    virtual std::int32_t Show() = 0;

    virtual WorkDialogEvents& Events() = 0;
};

}  // namespace ostrellix::kelo

#pragma once

#include <string>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// A page of the client's options dialog, as an add-in supplies it
// (IConfigurationDialog::AddPage). The client activates a page when the user
// opens it, applies every page when the user confirms, and cancels them
// when the user cancels.
class IOptionsPage : public virtual Object {
public:
    virtual std::string Caption() = 0;
    virtual ObjectPtr Icon() = 0;
    virtual std::string Description() = 0;
    virtual bool Dirty() = 0;
    virtual void Activate() = 0;
    virtual void Deactivate() = 0;
    virtual void Apply() = 0;
    virtual void Cancel() = 0;
};

}  // namespace ostrellix::kelo

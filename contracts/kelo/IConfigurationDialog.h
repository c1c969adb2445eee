#pragma once

#include "runtime/Object.h"

namespace ostrellix::kelo {

// The client's options dialog while it is being prepared (BeforeConfigure):
// add-ins add their option pages (IOptionsPage) to it.
class IConfigurationDialog : public virtual Object {
public:
    virtual void AddPage(const ObjectPtr& page) = 0;
};

}  // namespace ostrellix::kelo

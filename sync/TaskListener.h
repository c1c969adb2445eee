#pragma once

#include "sync/InspectorListener.h"

namespace ostrellix::addin {

// The buttons of Outlook task windows.
class TaskListener final : public InspectorListener {
public:
    TaskListener();
};

}  // namespace ostrellix::addin

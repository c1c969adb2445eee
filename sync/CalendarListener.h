#pragma once

#include "sync/InspectorListener.h"

namespace ostrellix::addin {

// The buttons of Outlook appointment windows; a meeting gets none.
class CalendarListener final : public InspectorListener {
public:
    CalendarListener();
};

}  // namespace ostrellix::addin

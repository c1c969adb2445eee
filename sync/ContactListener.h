#pragma once

#include "sync/InspectorListener.h"

namespace ostrellix::addin {

// The buttons of Outlook contact windows.
class ContactListener final : public InspectorListener {
public:
    ContactListener();
};

}  // namespace ostrellix::addin

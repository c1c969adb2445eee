#pragma once

#include <string>

#include "contracts/office/ICommandBars.h"
#include "contracts/outlook/IItem.h"

namespace ostrellix::outlook {

struct InspectorEvents {
    // Another window became the active one, or this one is closing.
    Signal<> Deactivate;
    // The window closes: raised after the item's Close and Deactivate;
    // its temporary command-bar buttons are removed after it.
    Signal<> Close;
};

// A window that shows one item, with its command bars.
class IInspector : public virtual Object {
public:
    virtual Ptr<IItem> CurrentItem() = 0;
    virtual std::string Caption() = 0;
    virtual Ptr<office::ICommandBars> CommandBars() = 0;
    virtual void Display() = 0;
    virtual void Activate() = 0;
    virtual void Close(std::int32_t saveMode) = 0;  // olSave, olDiscard, olPromptForSave

    virtual InspectorEvents& Events() = 0;
};

}  // namespace ostrellix::outlook

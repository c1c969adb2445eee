#pragma once

#include <string>

#include "contracts/outlook/IInspector.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

class Item;
class CommandBars;

// A window showing one item, with the command bar "Standard". It opens
// (NewInspector) when the item first asks for a window, shows when
// displayed, and closes: the item's close sequence (save as the mode says,
// the item's Close, which may cancel), then Deactivate and Close of the
// window, and last its temporary command-bar buttons are removed.
class Inspector final : public ol::IInspector, protected InstanceBound {
public:
    Inspector(Ptr<Instance> instance, Ptr<Item> item);

    Ptr<ol::IItem> CurrentItem() override;
    std::string Caption() override;
    Ptr<office::ICommandBars> CommandBars() override;
    void Display() override;
    void Activate() override { Display(); }
    void Close(std::int32_t saveMode) override;
    ol::InspectorEvents& Events() override { return events_; }

    bool IsOpen() const { return open_; }
    bool Displayed() const { return displayed_; }
    const Ptr<Item>& ShownItem() const { return item_; }
    // The window goes away before it was shown (its item's Open was cancelled).
    void Abandon();
    // The window closes and nothing can keep it (its item was sent, or
    // Outlook quits): the item's Close is raised, which cannot cancel, then
    // the window's events.
    void Dismiss();
    // Closes without events (Outlook is going away).
    void Terminate();

private:
    void Finish(bool raiseEvents);

    Ptr<Item> item_;
    Ptr<outlook::CommandBars> bars_;
    bool open_ = true;
    bool displayed_ = false;
    bool closing_ = false;
    ol::InspectorEvents events_;
};

}  // namespace ostrellix::standin::outlook

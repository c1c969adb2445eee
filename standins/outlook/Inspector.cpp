#include "standins/outlook/Inspector.h"

#include "runtime/ErrorHandling.h"
#include "standins/outlook/CommandBars.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"

namespace ostrellix::standin::outlook {

Inspector::Inspector(Ptr<Instance> instance, Ptr<Item> item)
    : InstanceBound(instance), item_(std::move(item)), bars_(std::make_shared<outlook::CommandBars>(instance)) {}

Ptr<ol::IItem> Inspector::CurrentItem() {
    Live();
    return item_;
}

std::string Inspector::Caption() {
    Live();
    return item_->Caption();
}

Ptr<office::ICommandBars> Inspector::CommandBars() {
    Live();
    return bars_;
}

void Inspector::Display() {
    const auto call = Entered();
    if (!open_) errors::Raise(errors::kFailed, "The window has been closed.");
    displayed_ = true;
    Unchecked().OpenWindows().Activate(SelfAs<Inspector>());
}

void Inspector::Close(std::int32_t saveMode) {
    const auto call = Entered();
    if (!open_ || closing_) return;
    closing_ = true;
    bool proceed = false;
    PassOn([&] { proceed = item_->CloseSequence(saveMode); }, [&] { closing_ = false; });
    closing_ = false;
    if (proceed && open_) Finish(true);
}

void Inspector::Finish(bool raiseEvents) {
    const Ptr<Inspector> keepAlive = SelfAs<Inspector>();
    Windows& windows = Unchecked().OpenWindows();
    if (raiseEvents && displayed_) events_.Deactivate.Raise();
    windows.Closed(this);
    open_ = false;
    if (raiseEvents) events_.Close.Raise();
    bars_->RemoveTemporaryControls();
    item_->InspectorClosed();
}

void Inspector::Abandon() { Finish(false); }

void Inspector::Dismiss() {
    if (!open_ || closing_) return;
    closing_ = true;
    PassOn([&] { item_->RaiseClose(); }, [&] { closing_ = false; });
    closing_ = false;
    if (open_) Finish(true);
}

void Inspector::Terminate() {
    if (open_) Finish(false);
}

}  // namespace ostrellix::standin::outlook

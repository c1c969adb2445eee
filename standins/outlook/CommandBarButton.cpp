#include "standins/outlook/CommandBarButton.h"

#include "standins/outlook/CommandBar.h"
#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

CommandBarButton::CommandBarButton(Ptr<Instance> instance, Ptr<CommandBar> bar)
    : InstanceBound(std::move(instance)), bar_(bar) {}

void CommandBarButton::Check() {
    Live();
    if (bar_.expired()) errors::Raise(errors::kFailed, "The command bar button has been deleted.");
}

std::string CommandBarButton::Caption() {
    Check();
    return caption_;
}

void CommandBarButton::SetCaption(std::string_view caption) {
    Check();
    caption_ = caption;
}

std::string CommandBarButton::Tag() {
    Check();
    return tag_;
}

void CommandBarButton::SetTag(std::string_view tag) {
    Check();
    tag_ = tag;
}

std::int32_t CommandBarButton::Style() {
    Check();
    return style_;
}

void CommandBarButton::SetStyle(std::int32_t style) {
    Check();
    style_ = style;
}

std::int32_t CommandBarButton::FaceId() {
    Check();
    return faceId_;
}

void CommandBarButton::SetFaceId(std::int32_t faceId) {
    Check();
    faceId_ = faceId;
}

bool CommandBarButton::Visible() {
    Check();
    return visible_;
}

void CommandBarButton::SetVisible(bool visible) {
    Check();
    visible_ = visible;
}

void CommandBarButton::Delete() {
    Check();
    const Ptr<CommandBarButton> keepAlive = SelfAs<CommandBarButton>();
    bar_.lock()->Remove(this);
    bar_.reset();
}

void CommandBarButton::Execute() {
    Check();
    const auto call = Entered();
    bool cancelDefault = false;
    events_.Click.Raise(SelfAs<office::ICommandBarButton>(), cancelDefault);
}

}  // namespace ostrellix::standin::outlook

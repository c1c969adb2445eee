#pragma once

#include <memory>
#include <string>

#include "contracts/office/ICommandBarButton.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

class CommandBar;

// A button on a command bar. A new one is visible, with style 0 (the bar's
// default) and no icon. Once deleted, or gone with its window, every call
// on it raises.
class CommandBarButton final : public office::ICommandBarButton, protected InstanceBound {
public:
    CommandBarButton(Ptr<Instance> instance, Ptr<CommandBar> bar);

    std::string Caption() override;
    void SetCaption(std::string_view caption) override;
    std::string Tag() override;
    void SetTag(std::string_view tag) override;
    std::int32_t Style() override;
    void SetStyle(std::int32_t style) override;
    std::int32_t FaceId() override;
    void SetFaceId(std::int32_t faceId) override;
    bool Visible() override;
    void SetVisible(bool visible) override;
    void Delete() override;
    void Execute() override;
    office::CommandBarButtonEvents& Events() override { return events_; }

    // The tag, without the checks (for the bar's search).
    const std::string& TagText() const { return tag_; }
    void Removed() { bar_.reset(); }

private:
    void Check();

    std::weak_ptr<CommandBar> bar_;
    std::string caption_;
    std::string tag_;
    std::int32_t style_ = 0;
    std::int32_t faceId_ = 0;
    bool visible_ = true;
    office::CommandBarButtonEvents events_;
};

}  // namespace ostrellix::standin::outlook

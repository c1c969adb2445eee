#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Object.h"
#include "runtime/Signal.h"

namespace ostrellix::office {

class ICommandBarButton;

struct CommandBarButtonEvents {
    // The button clicked, and a flag to cancel the default action.
    Signal<const Ptr<ICommandBarButton>&, bool&> Click;
};

// A button on a command bar. Style 3 shows icon and caption; FaceId picks
// the icon. Every call on a deleted button raises.
class ICommandBarButton : public virtual Object {
public:
    virtual std::string Caption() = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual std::string Tag() = 0;
    virtual void SetTag(std::string_view tag) = 0;
    virtual std::int32_t Style() = 0;
    virtual void SetStyle(std::int32_t style) = 0;
    virtual std::int32_t FaceId() = 0;
    virtual void SetFaceId(std::int32_t faceId) = 0;
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void Delete() = 0;
    // Does what a click does: raises Click.
    virtual void Execute() = 0;

    virtual CommandBarButtonEvents& Events() = 0;
};

inline constexpr std::int32_t msoControlButton = 1;
inline constexpr std::int32_t msoButtonIconAndCaption = 3;

}  // namespace ostrellix::office

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/win/FormControl.h"
#include "runtime/Object.h"

namespace ostrellix::win {

// A dialog window of a program, as the window system and the person in
// front of it see it: a name (FormPanes ...), a caption and named controls.
// The person's acts raise the control's events in the program, as the
// platform does: Click on a button; on a check box it turns the value over
// (0 and 1) first, on an option button it sets it and clears the others of
// its frame; Choose selects a list entry and raises the list's Click; Type
// replaces a text box's text and raises its Change. Acts on a control that
// is absent, disabled or hidden raise (a person cannot reach it). Changes
// the program makes to its own controls raise no events. Load raises the
// dialog's Load; Close is the window's close box. A modal dialog is shown
// while Visible.
class IForm : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::string Caption() = 0;
    virtual std::vector<FormControl> Controls() = 0;
    // Raises when the dialog has no control of that name.
    virtual FormControl State(std::string_view control) = 0;
    virtual bool Visible() = 0;

    virtual void Load() = 0;
    virtual void Click(std::string_view control) = 0;
    virtual void Choose(std::string_view control, std::int32_t index) = 0;
    virtual void Type(std::string_view control, std::string_view text) = 0;
    virtual void Close() = 0;
};

}  // namespace ostrellix::win

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Variant.h"

namespace ostrellix::win {

// What a control of a dialog is at one moment: its name (CtrlOK ...), kind,
// caption, value (a check box's 0 or 1, an option button's Boolean, a text
// box's text), whether it is enabled and visible, a list's entries with
// the selected index (-1 for none), and the frame it sits in (a disabled or
// hidden frame keeps its controls out of reach), and its font. Dialogs own their controls; the window
// system and the person in front of it read them.
struct FormControl {
    enum class Kind { Label, Frame, CommandButton, CheckBox, OptionButton, TextBox, ComboBox, ListBox, Other };

    std::string name;
    Kind kind = Kind::Other;
    std::string caption;
    Variant value;
    bool enabled = true;
    bool visible = true;
    std::vector<std::string> list;
    std::int32_t listIndex = -1;
    std::string container;  // the name of its frame; "" on the dialog itself
    std::string fontName;   // "" for the dialog's own
    // Where it sits, in pixels from the top left of its dialog; all 0 for a
    // control whose dialog does not lay it out.
    std::int32_t left = 0, top = 0, width = 0, height = 0;

    // The kinds whose caption is a text key to be localized.
    bool HasCaption() const {
        return kind == Kind::Label || kind == Kind::Frame || kind == Kind::CommandButton || kind == Kind::CheckBox ||
               kind == Kind::OptionButton;
    }
    // The selected entry's text; empty when none is selected.
    std::string Text() const {
        return listIndex >= 0 && static_cast<std::size_t>(listIndex) < list.size() ? list[listIndex] : std::string();
    }
};

}  // namespace ostrellix::win

#pragma once

#include <string>
#include <vector>

namespace ostrellix::addin {

// One control of a dialog: its name (CtrlOK ...), kind and caption.
struct FormControl {
    enum class Kind { Label, Frame, CommandButton, CheckBox, OptionButton, TextBox, ComboBox, ListBox, Other };

    std::string name;
    Kind kind = Kind::Other;
    std::string caption;

    // The kinds whose caption is a text key to be localized.
    bool HasCaption() const {
        return kind == Kind::Label || kind == Kind::Frame || kind == Kind::CommandButton || kind == Kind::CheckBox ||
               kind == Kind::OptionButton;
    }
};

// A dialog of the add-in as its texts see it: a name (FormPanes ...), a
// caption and controls. The captions stored in a dialog are text keys until
// the dialog is localized.
class Form {
public:
    Form(std::string name, std::string caption, std::vector<FormControl> controls = {})
        : name_(std::move(name)), caption_(std::move(caption)), controls_(std::move(controls)) {}

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    std::vector<FormControl>& Controls() { return controls_; }
    FormControl* Control(const std::string& name);

private:
    std::string name_;
    std::string caption_;
    std::vector<FormControl> controls_;
};

}  // namespace ostrellix::addin

#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "contracts/win/IForm.h"

namespace ostrellix::addin {

using FormControl = win::FormControl;

// A dialog (or an embeddable control) of the add-in: a name (FormPanes ...),
// a caption and its controls as state objects. The captions stored in a
// dialog are text keys until the dialog is localized. A derived dialog
// connects its handlers by control name (`On("CtrlOK", ...)`, the
// platform's CtrlOK_Click; a text box's handler is its Change) and reacts
// to Load and to the close box; the person's acts come in through IForm.
// Hide ends a modal showing.
class Form : public win::IForm {
public:
    using Kind = FormControl::Kind;

    Form(std::string name, std::string caption, std::vector<FormControl> controls = {})
        : name_(std::move(name)), caption_(std::move(caption)), controls_(std::move(controls)) {}

    std::string Name() override { return name_; }
    std::string Caption() override { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    std::vector<FormControl> Controls() override { return controls_; }
    FormControl State(std::string_view control) override { return Ctrl(control); }
    bool Visible() override { return visible_; }

    void Load() override;
    void Click(std::string_view control) override;
    void Choose(std::string_view control, std::int32_t index) override;
    void Type(std::string_view control, std::string_view text) override;
    void Close() override;

    // The controls themselves, for the dialog and the shared procedures.
    std::vector<FormControl>& ControlList() { return controls_; }
    // Nothing when the dialog has no control of that name.
    FormControl* Control(std::string_view name);
    // Raises when the dialog has no control of that name.
    FormControl& Ctrl(std::string_view name);
    void Hide() { visible_ = false; }

protected:
    void On(std::string control, std::function<void()> handler) {
        handlers_.emplace_back(std::move(control), std::move(handler));
    }
    // Runs a handler under the error trap every handler of a dialog has: a
    // failure goes to the standard error report at the handler's location.
    static void Handle(const char* location, const std::function<void()>& body);
    virtual void Form_Load() {}
    // The close box: by default the same as hiding.
    virtual void Form_Close() { Hide(); }

private:
    // The control a person acts on: present, enabled and visible, in a frame that is too.
    FormControl& Reachable(std::string_view name);
    void Raise(std::string_view control);

    std::string name_;
    std::string caption_;
    std::vector<FormControl> controls_;
    std::vector<std::pair<std::string, std::function<void()>>> handlers_;
    bool visible_ = false;
};

}  // namespace ostrellix::addin

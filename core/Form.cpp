#include "core/Form.h"

#include "core/Tools.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

constexpr const char* kSource = "Forms";

}  // namespace

void Form::Handle(const char* location, const std::function<void()>& body) {
    Trap(body, [location](const ComError& error) { Tools::ReportError(error, location); });
}

FormControl* Form::Control(std::string_view name) {
    for (FormControl& control : controls_) {
        if (text::EqualsIgnoreCase(control.name, name)) return &control;
    }
    return nullptr;
}

FormControl& Form::Ctrl(std::string_view name) {
    FormControl* control = Control(name);
    if (!control) {
        throw ComError(errors::ElementNotFound, kSource, name_ + " has no control " + std::string(name) + ".");
    }
    return *control;
}

FormControl& Form::Reachable(std::string_view name) {
    if (!visible_) throw ComError(errors::InvalidProcedureCall, kSource, name_ + " is not shown.");
    FormControl& control = Ctrl(name);
    for (const FormControl* at = &control; at; at = at->container.empty() ? nullptr : &Ctrl(at->container)) {
        if (!at->enabled || !at->visible) {
            throw ComError(errors::InvalidProcedureCall, kSource,
                           control.name + " of " + name_ + " cannot be reached: " + at->name + " is " +
                               (at->visible ? "disabled." : "hidden."));
        }
    }
    return control;
}

void Form::Raise(std::string_view control) {
    for (auto& [name, handler] : handlers_) {
        if (text::EqualsIgnoreCase(name, control)) {
            // The handler may change the list of handlers; keep this one alive while it runs.
            const auto run = handler;
            run();
            return;
        }
    }
}

void Form::Load() {
    visible_ = true;
    Form_Load();
}

void Form::Click(std::string_view name) {
    FormControl& control = Reachable(name);
    if (control.kind == Kind::CheckBox) {
        control.value = Variant(static_cast<std::int16_t>(control.value.ToInteger() == 0 ? 1 : 0));
    } else if (control.kind == Kind::OptionButton) {
        for (FormControl& other : controls_) {
            if (other.kind == Kind::OptionButton && other.container == control.container) other.value = Variant(false);
        }
        control.value = Variant(true);
    }
    Raise(control.name);
}

void Form::Choose(std::string_view name, std::int32_t index) {
    FormControl& control = Reachable(name);
    if (index < -1 || index >= static_cast<std::int32_t>(control.list.size())) {
        throw ComError(errors::InvalidProcedureCall, kSource,
                       control.name + " has no entry " + std::to_string(index) + ".");
    }
    control.listIndex = index;
    Raise(control.name);
}

void Form::Type(std::string_view name, std::string_view text) {
    FormControl& control = Reachable(name);
    control.value = Variant(text);
    Raise(control.name);
}

void Form::Close() {
    if (visible_) Form_Close();
}

}  // namespace ostrellix::addin

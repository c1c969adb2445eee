#include "core/Form.h"

namespace ostrellix::addin {

FormControl* Form::Control(const std::string& name) {
    for (FormControl& control : controls_) {
        if (control.name == name) return &control;
    }
    return nullptr;
}

}  // namespace ostrellix::addin

#include "standins/kelo/engine/Classes.h"

#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix::standin::kelo {

Ptr<ostrellix::kelo::IClass> Classes::Item(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return classes_[static_cast<std::size_t>(index - 1)];
}

Ptr<Class> Classes::Named(std::string_view name) const {
    for (const auto& cls : classes_) {
        if (text::EqualsIgnoreCase(cls->Spec().name, name)) return cls;
    }
    return nullptr;
}

Ptr<Class> Classes::Labelled(std::int32_t label) const {
    for (const auto& cls : classes_) {
        if (cls->Spec().label == label) return cls;
    }
    return nullptr;
}

}  // namespace ostrellix::standin::kelo

#include "standins/kelo/client/HostEvents.h"

#include "runtime/Text.h"

namespace ostrellix::standin::kelo {

Variant HostEvents::Raised::Parameter(std::string_view wanted) const {
    for (const auto& [name, value] : parameters) {
        if (text::EqualsIgnoreCase(name, wanted)) return value;
    }
    return {};
}

HostEvents::KeptValue::KeptValue(const Variant& value) : wasObject_(value.IsObject()) {
    if (wasObject_) {
        object_ = value.ToObject();
    } else {
        value_ = value;
    }
}

HostEvents::KeptValue::operator Variant() const { return wasObject_ ? Variant(object_.lock()) : value_; }

Variant HostEvents::Kept::Parameter(std::string_view wanted) const {
    for (const auto& [name, value] : parameters) {
        if (text::EqualsIgnoreCase(name, wanted)) return value;
    }
    return {};
}

Connection HostEvents::On(std::string_view name, Handler handler) {
    return raised_.Connect([name = std::string(name), handler = std::move(handler)](Raised& event) {
        if (name == "*" || text::EqualsIgnoreCase(name, event.name)) handler(event);
    });
}

void HostEvents::Claim(std::string_view name) {
    standing_.push_back(On(name, [](Raised& event) { event.handled = true; }));
}

void HostEvents::SetParameter(std::string_view name, const Variant& value) {
    for (auto& [existing, stored] : parameters_) {
        if (text::EqualsIgnoreCase(existing, name)) {
            stored = value;
            return;
        }
    }
    parameters_.emplace_back(std::string(name), value);
}

void HostEvents::Raise(std::string_view source, std::string_view name) {
    Raised event{std::string(source), std::string(name), parameters_, false};
    raised_.Raise(event);
    parameters_ = event.parameters;
    result_ = event.handled;
    Kept kept{event.source, event.name, {}, event.handled};
    for (const auto& [parameter, value] : event.parameters) kept.parameters.emplace_back(parameter, KeptValue(value));
    history_.push_back(std::move(kept));
}

}  // namespace ostrellix::standin::kelo

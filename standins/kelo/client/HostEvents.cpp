#include "standins/kelo/client/HostEvents.h"

#include "runtime/Text.h"

namespace ostrellix::standin::kelo {

Variant HostEvents::Raised::Parameter(std::string_view wanted) const {
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
    history_.push_back(std::move(event));
}

}  // namespace ostrellix::standin::kelo

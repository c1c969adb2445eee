#include "standins/kelo/client/Inspector.h"

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Windows.h"

namespace ostrellix::standin::kelo {

namespace {

constexpr const char* kSource = "Kelo.Inspector";

}  // namespace

Inspector::Inspector(std::weak_ptr<Windows> windows, Ptr<ostrellix::kelo::IRecord> record, Ptr<Inspector> parent)
    : windows_(std::move(windows)), record_(std::move(record)), parent_(parent) {
    if (!record_) RaiseRuntimeError(errors::ObjectVariableNotSet);
}

Ptr<Windows> Inspector::RequireOpen(const char* what) {
    Ptr<Windows> windows = windows_.lock();
    if (closed_ || !windows) {
        throw ComError(errors::InvalidProcedureCall, kSource,
                       std::string("The record window is closed; it cannot ") + what);
    }
    return windows;
}

Variant Inspector::Value(std::string_view name) {
    for (const auto& [key, value] : values_) {
        if (text::EqualsIgnoreCase(key, name)) return value;
    }
    return {};
}

void Inspector::SetValue(std::string_view name, const Variant& value) {
    for (auto& [key, stored] : values_) {
        if (text::EqualsIgnoreCase(key, name)) {
            stored = value;
            return;
        }
    }
    values_.emplace_back(std::string(name), value);
}

void Inspector::Show() {
    RequireOpen("be shown")->Focus(SelfAs<Inspector>());
    if (shown_) return;
    shown_ = true;
    events_.BeforeShow.Raise();
}

void Inspector::Activate() {
    if (!shown_) {
        Show();
        return;
    }
    RequireOpen("be activated")->Focus(SelfAs<Inspector>());
}

void Inspector::Save() {
    RequireOpen("store its record");
    record_->Update();
    changed_ = false;
    events_.AfterSave.Raise();
}

void Inspector::Close() {
    if (closed_) return;
    const Ptr<Inspector> self = SelfAs<Inspector>();  // the window list may hold the last other reference
    events_.AfterClose.Raise();
    closed_ = true;
    values_.clear();
    if (const Ptr<Windows> windows = windows_.lock()) windows->Remove(this);
}

void Inspector::Discard() {
    closed_ = true;
    values_.clear();
}

}  // namespace ostrellix::standin::kelo

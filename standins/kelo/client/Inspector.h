#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IInspector.h"

namespace ostrellix::standin::kelo {

class Windows;

// A record window. It is made hidden (IApplication::ShowRecord); Show
// brings it to the front, which may change the active inspector, and then
// raises BeforeShow the first time. The user stores its record with Save
// (AfterSave follows) and closes it with Close (AfterClose, then the named
// values kept on it are dropped and the window leaves the client).
class Inspector final : public ostrellix::kelo::IInspector {
public:
    Inspector(std::weak_ptr<Windows> windows, Ptr<ostrellix::kelo::IRecord> record, Ptr<Inspector> parent);

    Ptr<ostrellix::kelo::IRecord> Record() override { return record_; }
    Ptr<ostrellix::kelo::IClass> Class() override { return record_->Class(); }
    std::int32_t State() override { return record_->State(); }
    Variant Value(std::string_view name) override;
    void SetValue(std::string_view name, const Variant& value) override;
    Ptr<ostrellix::kelo::IInspector> ParentInspector() override { return parent_.lock(); }
    bool Changed() override { return changed_; }
    void SetChanged(bool changed) override { changed_ = changed; }
    void Show() override;
    void Activate() override;
    ostrellix::kelo::InspectorEvents& Events() override { return events_; }

    bool Shown() const { return shown_; }
    // The user stores the record: the data engine's check and store, then AfterSave.
    void Save();
    void Close();
    // Drops the window without events, when the client goes away.
    void Discard();

private:
    Ptr<Windows> RequireOpen(const char* what);

    std::weak_ptr<Windows> windows_;
    Ptr<ostrellix::kelo::IRecord> record_;
    std::weak_ptr<Inspector> parent_;
    std::vector<std::pair<std::string, Variant>> values_;
    bool changed_ = false;
    bool shown_ = false;
    bool closed_ = false;
    ostrellix::kelo::InspectorEvents events_;
};

}  // namespace ostrellix::standin::kelo

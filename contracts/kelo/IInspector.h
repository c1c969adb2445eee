#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/kelo/IRecord.h"
#include "runtime/Signal.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

struct InspectorEvents {
    Signal<> BeforeShow;
    Signal<> AfterSave;
    Signal<> AfterClose;
};

// A record window of the client. It shows one record; named values stored
// on it live as long as the window (an add-in keeps its per-window objects
// there). Changed marks the record as edited so that the client offers to
// save it. Show makes the window the active one (AfterActiveInspectorChanged
// of the application), then raises BeforeShow; the client raises AfterSave
// when the user has stored the record, and AfterClose when the window closes.
class IInspector : public virtual Object {
public:
    virtual Ptr<IRecord> Record() = 0;
    virtual Ptr<IClass> Class() = 0;
    virtual std::int32_t State() = 0;  // recordstate flags of its record

    virtual Variant Value(std::string_view name) = 0;  // Empty when absent
    virtual void SetValue(std::string_view name, const Variant& value) = 0;

    // The record window this one was opened from; nothing when none.
    virtual Ptr<IInspector> ParentInspector() = 0;

    virtual bool Changed() = 0;
    virtual void SetChanged(bool changed) = 0;
    virtual void Show() = 0;
    virtual void Activate() = 0;

    virtual InspectorEvents& Events() = 0;
};

}  // namespace ostrellix::kelo

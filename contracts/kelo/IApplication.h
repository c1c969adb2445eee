#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/kelo/IContactImport.h"
#include "contracts/kelo/IDatabase.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IImages.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/ILog.h"
#include "contracts/kelo/IPanes.h"
#include "contracts/kelo/IUser.h"
#include "contracts/kelo/IUtility.h"
#include "runtime/Signal.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

struct ApplicationEvents {
    Signal<> StartUpComplete;
    Signal<> ShutDown;
    Signal<const ObjectPtr&> BeforeConfigure;  // the configuration dialog
    Signal<> AfterActiveInspectorChanged;
    Signal<std::int32_t> Timer;
};

// The Kelo client's application object: what an add-in receives on
// connection. Absent things come back as nothing. All calls and events are
// on the client's user-interface thread.
class IApplication : public virtual Object {
public:
    // Objects by ProgID ("QVR.Record", "QVR.Filter", "Kelo.Dialog", ...);
    // raises 429 for an unknown ProgID.
    virtual ObjectPtr CreateObject(std::string_view progId) = 0;

    virtual Ptr<IInspector> ActiveInspector() = 0;
    virtual Ptr<IExplorer> ActiveExplorer() = 0;
    virtual Ptr<IUser> ActiveUser() = 0;
    virtual Ptr<IUser> FindUser(std::string_view name) = 0;
    virtual Ptr<IDatabase> Database() = 0;
    virtual Ptr<IClasses> Classes() = 0;
    virtual Ptr<ILog> Log() = 0;
    virtual Ptr<IUtility> Utility() = 0;
    virtual Ptr<IContactImport> ContactImport() = 0;

    // Named values of the client ("OfficeIs32Bit", values add-ins leave).
    virtual Variant Value(std::string_view name) = 0;
    virtual void SetValue(std::string_view name, const Variant& value) = 0;

    virtual std::string Language() = 0;  // of the user interface: "en", "sv", ...
    virtual std::string FontName() = 0;  // of the user interface
    // The client's own text for a key of its user interface ("AllowExport"),
    // in its language; the key itself when the client has none.
    virtual std::string Text(std::string_view key) = 0;
    // Tells the client which add-in ProgID is loaded.
    virtual void SetAddinProgID(std::string_view progId) = 0;
    // Fires Timer(id) every `milliseconds`; 0 stops that timer.
    virtual void SetTimer(std::int32_t id, std::int32_t milliseconds) = 0;
    // Runs a script in the client's script engine (later, when `deferred`).
    virtual void RunScript(std::string_view script, bool deferred) = 0;
    // The client's message box (flags and answers as the platform's).
    virtual std::int32_t MessageBox(std::string_view text, std::int32_t flags) = 0;
    virtual void SetMousePointer(std::int32_t pointer) = 0;

    // Host events raised for scripts: parameters by name, then Raise; the
    // result is true when a handler claimed the event.
    virtual void ClearEventParameters() = 0;
    virtual void SetEventParameter(std::string_view name, const Variant& value) = 0;
    virtual void RaiseEvent(std::string_view source, std::string_view name) = 0;
    virtual bool EventResult() = 0;
    virtual void RecordUsage(std::string_view tags) = 0;

    // A link text that opens the record in the client (linkkind Desktop or
    // Web); raises for a record not yet stored and for other kinds.
    virtual std::string Link(const Ptr<IRecord>& record, std::int32_t kind) = 0;
    // The client's link mail: a mail carrying links (of `kind`) to the
    // records, which may be a record, a records collection, a record
    // window, a list window (its selection, else its active entry), a list
    // (its current record) or a selection; `kind` linkkind Desktop, Web or
    // Both; recipients are a text or an array of texts.
    virtual void SendLinks(const Variant& records, std::string_view subject, const Variant& recipients,
                           const ObjectPtr& object, std::int32_t flags, std::int32_t kind) = 0;
    // A record in a record window, not yet shown: a new window
    // (kShowModeNewWindow) or the one already showing the record
    // (kShowModeReuseWindow); `parent` is the record or list window it is
    // opened from, or nothing.
    virtual Ptr<IInspector> ShowRecord(const Ptr<IRecord>& record, const ObjectPtr& parent, std::int32_t mode) = 0;

    virtual Ptr<IPanes> Panes() = 0;
    virtual Ptr<IImages> Images() = 0;

    virtual ApplicationEvents& Events() = 0;
};

}  // namespace ostrellix::kelo

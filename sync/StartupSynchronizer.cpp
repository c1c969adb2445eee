#include "sync/StartupSynchronizer.h"

#include "core/DebugLog.h"
#include "core/Globals.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("StartupSynchronizer - ");

}  // namespace

StartupSynchronizer::StartupSynchronizer() : runningInUserContext_(Globals::IsConnectedToApplication()) {
    // Outside a session the debug log's file cannot be reached yet.
    IgnoreErrors([&] {
        Log(std::string("Initialize - RunningInUserContex = ") + (runningInUserContext_ ? "True" : "False"));
    });
}

StartupSynchronizer::~StartupSynchronizer() {
    IgnoreErrors([] { Log("Terminate"); });
    if (!runningInUserContext_) IgnoreErrors(Globals::ReleaseCachedObjects);
}

void StartupSynchronizer::SetApplication(const ObjectPtr& application) {
    if (!runningInUserContext_) Globals::ConnectToApplication(application);
}

void StartupSynchronizer::Synchronize() {
    Log("Synchronize");
    Trap([] { Globals::Synchronizer()->Synchronize(true); },
         [](const ComError& error) { Log("Synchronize - Failed: " + error.Description()); });
}

Variant StartupSynchronizer::Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) {
    if (text::EqualsIgnoreCase(member, "Application") &&
        (kind == InvokeKind::PropertyPutRef || kind == InvokeKind::PropertyPut)) {
        if (arguments.size() != 1) RaiseRuntimeError(errors::WrongNumberOfArguments);
        SetApplication(arguments[0].ToObject());
        return {};
    }
    if (text::EqualsIgnoreCase(member, "Synchronize") && kind == InvokeKind::Method) {
        if (!arguments.empty()) RaiseRuntimeError(errors::WrongNumberOfArguments);
        Synchronize();
        return {};
    }
    RaiseRuntimeError(errors::NotSupported);
}

}  // namespace ostrellix::addin

#pragma once

#include <string_view>
#include <vector>

#include "runtime/IDispatch.h"

namespace ostrellix::addin {

// The start-up synchronization ("KeloOstrellix.StartupSynchronizer"), made
// and driven by the script the add-in hands the Kelo client at start-up
// (Addin::StartupScript), through late binding. It always runs a full
// synchronization, without a work dialog, and only logs a failure.
//
// Made outside a running add-in session (no client connection yet), it
// connects the add-in's globals to the client it is given and releases
// them again when it goes; inside one it leaves them alone.
class StartupSynchronizer final : public IDispatch {
public:
    StartupSynchronizer();
    ~StartupSynchronizer() override;
    StartupSynchronizer(const StartupSynchronizer&) = delete;
    StartupSynchronizer& operator=(const StartupSynchronizer&) = delete;

    void SetApplication(const ObjectPtr& application);
    void Synchronize();

    // "Application" (set) and "Synchronize".
    Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) override;

private:
    bool runningInUserContext_;
};

}  // namespace ostrellix::addin

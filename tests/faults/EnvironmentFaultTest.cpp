#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "apps/ostrellix/Host.h"
#include "apps/ostrellix/Machine.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/INameSpace.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "standins/kelo/client/Application.h"
#include "standins/outlook/MapiLogon.h"
#include "standins/system/System.h"
#include "tests/standins/system/TempDirectory.h"

namespace ostrellix::faults {
namespace {

class EnvironmentFaultTest : public ::testing::Test {
protected:
    ~EnvironmentFaultTest() override { unsetenv("OSTRELLIX_FAULT"); }

    std::unique_ptr<host::Machine> NewMachine() {
        host::Machine::Setup setup;
        setup.configDirectory = folder.Path() / "config";
        setup.workingFolder = folder.Path();
        return std::make_unique<host::Machine>(std::move(setup));
    }

    testing::TempDirectory folder;
};

TEST_F(EnvironmentFaultTest, TheVariableFailsTheNamedCallOfTheMachineItComposes) {
    setenv("OSTRELLIX_FAULT", "MAPI:1", 1);
    const auto machine = NewMachine();
    const auto outlook = machine->StartOutlook();
    EXPECT_NO_THROW(outlook->Session());
    EXPECT_FALSE(machine->System().Faults().Fired());
    // The first call of the MAPI library's session on Outlook's profile.
    const auto logon = outlook->Session()->MAPIOBJECT();
    std::int32_t number = 0;
    Trap([&] { As<standin::outlook::MapiLogon>(logon)->Session(); },
         [&](const ComError& error) { number = error.Number(); });
    EXPECT_EQ(number, static_cast<std::int32_t>(0x800706BAu));
}

TEST_F(EnvironmentFaultTest, TheSettingsStoreAndTheKeloClientFailTheirNamedCallsWithTheirOwnErrors) {
    const struct {
        const char* plan;
        std::function<void(host::Machine&)> call;
        std::int32_t number;
    } cases[] = {
        {"Registry:1",
         [](host::Machine& machine) { machine.System().Settings().SaveSetting("Ostrellix", "Test", "Name", "value"); },
         static_cast<std::int32_t>(0x800703F8u)},
        {"Kelo:1", [](host::Machine& machine) { machine.KeloApp().ActiveInspector(); }, errors::ObjectVariableNotSet},
    };
    for (const auto& c : cases) {
        setenv("OSTRELLIX_FAULT", c.plan, 1);
        const auto machine = NewMachine();
        std::int32_t number = 0;
        Trap([&] { c.call(*machine); }, [&](const ComError& error) { number = error.Number(); });
        EXPECT_EQ(number, c.number) << c.plan;
        EXPECT_NO_THROW(c.call(*machine)) << c.plan << ": the calls after the failed one work";
    }
}

TEST_F(EnvironmentFaultTest, AValueThatIsNoCallNumberIsAUsageError) {
    for (const char* value : {"0", "abc", "Engine:", "Engine:x"}) {
        setenv("OSTRELLIX_FAULT", value, 1);
        std::int32_t status = 0;
        Trap([&] { NewMachine(); }, [&](const ComError& error) { status = host::Host::ExitStatus(error); });
        EXPECT_EQ(status, 2) << value;
    }
}

}  // namespace
}  // namespace ostrellix::faults

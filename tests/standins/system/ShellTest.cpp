#include <gtest/gtest.h>

#include <sstream>

#include "contracts/win/IShell.h"
#include "runtime/ComError.h"
#include "runtime/Dictionary.h"
#include "standins/system/ManualClock.h"
#include "standins/system/System.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::system {
namespace {

using ostrellix::testing::Raised;

class ShellTest : public ::testing::Test {
protected:
    ShellTest() : system(factory, MakeSetup()) {}

    System::Setup MakeSetup() {
        System::Setup setup;
        setup.configDirectory = dir.Path();
        setup.clock = std::make_unique<ManualClock>(Date::FromParts(2024, 5, 1, 9));
        setup.input = &in;
        setup.output = &out;
        return setup;
    }

    Ptr<win::IShell> Shell() { return As<win::IShell>(system.CreateObject("WScript.Shell")); }

    testing::TempDirectory dir;
    std::istringstream in;
    std::ostringstream out;
    ClassFactory factory;
    System system;
};

TEST_F(ShellTest, RegWriteLandsInTheUsersSettings) {
    const char* name =
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\16.0\\Outlook\\Options\\Shutdown\\"
        "AllowShutdownWithExternalReferences";
    Shell()->RegWrite(name, Variant(0), "REG_DWORD");
    const auto value = system.Settings().ReadValue("Software\\Microsoft\\Office\\16.0\\Outlook\\Options\\Shutdown",
                                                   "AllowShutdownWithExternalReferences");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->kind, win::RegistryValue::Kind::DWord);
    EXPECT_EQ(value->data.ToLong(), 0);
    EXPECT_EQ(Shell()->RegRead("HKCU\\Software\\Microsoft\\Office\\16.0\\Outlook\\Options\\Shutdown\\"
                               "AllowShutdownWithExternalReferences")
                  .ToLong(),
              0);
}

TEST_F(ShellTest, RegWriteRefusesOtherRootsAndTypes) {
    EXPECT_THROW(Shell()->RegWrite("HKEY_LOCAL_MACHINE\\Software\\X\\Y", Variant(1), "REG_DWORD"), ComError);
    EXPECT_THROW(Shell()->RegWrite("HKCU\\Software\\X\\Y", Variant(1), "REG_QWORD"), ComError);
    EXPECT_THROW(Shell()->RegWrite("HKCU\\Software\\X\\Y", Variant("abc"), "REG_DWORD"), ComError);
    EXPECT_THROW(Shell()->RegRead("HKCU\\Software\\X\\Y"), ComError);
}

TEST_F(ShellTest, RunStartsRegisteredProgramsByFileName) {
    std::vector<std::string> seen;
    system.ProgramTable().Register("Outlook.exe", [&](const std::vector<std::string>& arguments) {
        seen = arguments;
        return 0;
    });
    EXPECT_EQ(Shell()->Run("\"C:\\Program Files\\Office\\OUTLOOK.EXE\" /recycle", 8, false), 0);
    EXPECT_EQ(seen, std::vector<std::string>{"/recycle"});
    const auto error = Raised([&] { Shell()->Run("winword.exe", 1, false); });
    ASSERT_TRUE(error);
    EXPECT_EQ(static_cast<std::uint32_t>(error->Number()), 0x80070002u);
}

TEST_F(ShellTest, RunningObjectsAreFoundByClassIdUntilRevoked) {
    const Guid outlook = Guid::Parse("{0006F03A-0000-0000-C000-000000000046}");
    auto server = std::make_shared<Dictionary>();
    const auto cookie = system.RunningObjects().Register(outlook, server);
    EXPECT_EQ(system.RunningObjects().GetActiveObject(outlook), server);
    system.RunningObjects().Revoke(cookie);
    const auto error = Raised([&] { system.RunningObjects().GetActiveObject(outlook); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), win::MK_E_UNAVAILABLE);
}

TEST_F(ShellTest, DebugOutputIsCapturable) {
    std::vector<std::string> lines;
    Connection capture = system.DebugOutput().Written.Connect([&](const std::string& text) { lines.push_back(text); });
    system.DebugOutput().OutputDebugString("Ostrellix - OnConnection\r\n");
    EXPECT_EQ(lines, std::vector<std::string>{"Ostrellix - OnConnection\r\n"});
}

}  // namespace
}  // namespace ostrellix::standin::system

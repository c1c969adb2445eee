#include <gtest/gtest.h>

#include <sstream>

#include "contracts/win/IShell.h"
#include "runtime/ComError.h"
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

// Either spelling of the user's root reaches the settings; nothing else is written.
TEST_F(ShellTest, RegWriteLandsInTheUsersSettingsAndRefusesOtherRootsAndTypes) {
    Shell()->RegWrite("HKCU\\Software\\X\\Y", Variant(0), "REG_DWORD");
    const auto value = system.Settings().ReadValue("Software\\X", "Y");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->kind, win::RegistryValue::Kind::DWord);
    EXPECT_EQ(Shell()->RegRead("HKEY_CURRENT_USER\\Software\\X\\Y").ToLong(), 0);
    EXPECT_THROW(Shell()->RegWrite("HKEY_LOCAL_MACHINE\\Software\\X\\Y", Variant(1), "REG_DWORD"), ComError);
    EXPECT_THROW(Shell()->RegWrite("HKCU\\Software\\X\\Y", Variant(1), "REG_QWORD"), ComError);
    EXPECT_THROW(Shell()->RegWrite("HKCU\\Software\\X\\Y", Variant("abc"), "REG_DWORD"), ComError);
    EXPECT_THROW(Shell()->RegRead("HKCU\\Software\\X\\Z"), ComError);
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

}  // namespace
}  // namespace ostrellix::standin::system

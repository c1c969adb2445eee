#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <utility>

#include "runtime/ComError.h"
#include "standins/system/SettingsStore.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/FileText.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::system {
namespace {

using ostrellix::testing::Raised;

constexpr const char* kApp = "Brannovika\\Kelo Addins\\Outlook Integration";

class SettingsStoreTest : public ::testing::Test {
protected:
    testing::TempDirectory dir;
    std::filesystem::path file = SettingsStore::FileIn(dir.Path() / "config");
};

TEST_F(SettingsStoreTest, ProgramSettingsPersistAndIgnoreCase) {
    {
        SettingsStore store(file);
        EXPECT_EQ(store.GetSetting(kApp, "Settings", "Debug", "0"), "0");
        store.SaveSetting(kApp, "Settings", "Debug", "1");
        store.SaveSetting(kApp, "Settings", "CalendarFolder", "00AB");
    }
    SettingsStore reopened(file);
    EXPECT_EQ(reopened.GetSetting(kApp, "settings", "DEBUG", "0"), "1");
    reopened.DeleteSetting(kApp, "Settings", "debug");
    EXPECT_EQ(reopened.GetSetting(kApp, "Settings", "Debug", "none"), "none");
    EXPECT_EQ(reopened.GetSetting(kApp, "Settings", "CalendarFolder", ""), "00AB");
    const auto error = Raised([&] { reopened.DeleteSetting(kApp, "Settings", "Debug"); });
    ASSERT_TRUE(error) << "deleting a missing value must raise";
    EXPECT_EQ(error->Number(), errors::InvalidProcedureCall);
}

TEST_F(SettingsStoreTest, ValuesKeepTheirKinds) {
    using Kind = win::RegistryValue::Kind;
    SettingsStore store(file);
    store.WriteValue("Software\\Microsoft\\Office\\16.0\\Outlook", "Count", {Kind::DWord, Variant(0)});
    store.WriteValue("Software\\X", "Blob", {Kind::Binary, Variant(Bytes{0, 255, 7})});
    SettingsStore other(file);
    const auto count = other.ReadValue("software\\microsoft\\office\\16.0\\outlook", "count");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->kind, Kind::DWord);
    EXPECT_EQ(count->data.VarType(), Variant::Type::Long);
    EXPECT_EQ(other.ReadValue("Software\\X", "Blob")->data.ToBytes(), (Bytes{0, 255, 7}));
    EXPECT_FALSE(other.ReadValue("Software\\X", "Missing"));
}

TEST_F(SettingsStoreTest, AnotherProcessSeesWritesAtOnce) {
    SettingsStore parent(file);
    parent.SaveSetting(kApp, "Settings", "User", "7");
    EXPECT_EQ(parent.GetSetting(kApp, "Settings", "User", ""), "7");

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int status = 1;
        try {
            SettingsStore own(file);
            if (own.GetSetting(kApp, "Settings", "User", "") == "7") {
                own.SaveSetting(kApp, "Settings", "User", "42");
                status = 0;
            }
        } catch (...) {
        }
        _exit(status);
    }
    int status = -1;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(parent.GetSetting(kApp, "Settings", "User", ""), "42");
}

// Broken JSON, or JSON of another program: named in the error, never written over.
TEST_F(SettingsStoreTest, AFileThatIsNotOursIsNamedAndKept) {
    std::filesystem::create_directories(file.parent_path());
    for (const std::string content : {"{ this is not json", R"({"name": "some other program", "keys": {}})"}) {
        std::ofstream(file, std::ios::trunc) << content;
        SettingsStore store(file);
        const auto error = Raised([&] { store.GetSetting(kApp, "Settings", "Debug", "0"); });
        ASSERT_TRUE(error) << "taken for settings: " << content;
        EXPECT_NE(error->Description().find(file.string()), std::string::npos) << error->Description();
        EXPECT_THROW(store.SaveSetting(kApp, "Settings", "Debug", "1"), ComError) << content;
        EXPECT_EQ(ostrellix::testing::FileText(file), content);
    }
}

TEST_F(SettingsStoreTest, DWordsMustBeThirtyTwoBitIntegers) {
    std::filesystem::create_directories(file.parent_path());
    const auto withDWord = [](const std::string& data) {
        return R"({"format":"ostrellix-registry","version":1,"keys":{"Software\\K":{"V":{"type":"REG_DWORD","data":)" +
               data + "}}}}";
    };
    for (const auto& [data, expected] : {std::pair{"2147483647", 2147483647}, std::pair{"-2147483648", INT32_MIN}}) {
        std::ofstream(file, std::ios::trunc) << withDWord(data);
        const auto value = SettingsStore(file).ReadValue("Software\\K", "V");
        ASSERT_TRUE(value) << data;
        EXPECT_EQ(value->data.ToLong(), expected);
    }
    // Out of range or fractional: taking them would change the value (1e20 was undefined).
    for (const char* data : {"2147483648", "4294967296", "-2147483649", "1e20", "3.5", "\"7\""}) {
        const std::string content = withDWord(data);
        std::ofstream(file, std::ios::trunc) << content;
        SettingsStore store(file);
        EXPECT_THROW(store.ReadValue("Software\\K", "V"), ComError) << data;
        EXPECT_THROW(store.WriteValue("Software\\K", "W", {win::RegistryValue::Kind::DWord, Variant(1)}), ComError);
        EXPECT_EQ(ostrellix::testing::FileText(file), content);
    }
}

}  // namespace
}  // namespace ostrellix::standin::system

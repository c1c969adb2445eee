#include <gtest/gtest.h>

#include <memory>

#include "runtime/AtomicFile.h"
#include "standins/system/SettingsStore.h"
#include "tests/crash/KillLoop.h"
#include "tests/standins/system/TempDirectory.h"

namespace ostrellix::testing {
namespace {

using standin::system::SettingsStore;

constexpr std::size_t kPayloadSize = 32 * 1024;
constexpr const char* kApplication = "Brannovika\\Kelo Addins\\Outlook Integration";

// Each generation is one value large enough that writing the file takes a while.
class SettingsWriter final : public CrashWriter {
public:
    explicit SettingsWriter(std::filesystem::path file) : file_(std::move(file)) {}

    void Open() override { store_ = std::make_unique<SettingsStore>(file_); }
    void Close() override { store_.reset(); }
    void Write(std::int64_t generation) override {
        store_->SaveSetting(kApplication, "Settings", "Payload", KillLoop::Payload(generation, kPayloadSize));
    }
    std::optional<std::int64_t> Read() override {
        return KillLoop::GenerationOf(SettingsStore(file_).GetSetting(kApplication, "Settings", "Payload", ""),
                                      kPayloadSize);
    }
    std::vector<std::filesystem::path> Leftovers() override {
        return FilesIn(file_.parent_path(), [&](const auto& path) { return AtomicFile::IsTemporaryOf(path, file_); });
    }

private:
    std::filesystem::path file_;
    std::unique_ptr<SettingsStore> store_;
};

TEST(SettingsCrashTest, AKilledWriteLeavesTheOldOrTheNewSettingsFile) {
    TempDirectory dir;
    SettingsWriter writer(SettingsStore::FileIn(dir.Path()));
    const KillLoop::Outcome outcome = KillLoop("settings store").Run(writer);
    EXPECT_EQ(outcome.faults, std::vector<std::string>{});
    // Writes hold the lock, so the next one clears away what a killed one left.
    EXPECT_EQ(outcome.leftoversAfterNextWrite, 0U);
}

}  // namespace
}  // namespace ostrellix::testing

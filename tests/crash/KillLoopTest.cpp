#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/crash/KillLoop.h"
#include "tests/standins/system/TempDirectory.h"

namespace ostrellix::testing {
namespace {

constexpr std::size_t kSize = 1024 * 1024;

// Writes the file in place, as a careless writer would: a kill mid-write
// must show up as a fault, or the loop proves nothing about the others.
class InPlaceWriter final : public CrashWriter {
public:
    explicit InPlaceWriter(std::filesystem::path file) : file_(std::move(file)) {}

    void Open() override {}
    void Close() override {}
    void Write(std::int64_t generation) override {
        const std::string payload = KillLoop::Payload(generation, kSize);
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        // Small pieces, as a serializer writes, so that a kill finds the file half written.
        for (std::size_t done = 0; done < payload.size(); done += 4096) {
            out.write(payload.data() + done, 4096);
            out.flush();
        }
    }
    std::optional<std::int64_t> Read() override {
        std::ifstream in(file_, std::ios::binary);
        return KillLoop::GenerationOf(std::string(std::istreambuf_iterator<char>(in), {}), kSize);
    }
    std::vector<std::filesystem::path> Leftovers() override { return {}; }

private:
    std::filesystem::path file_;
};

TEST(KillLoopTest, AWriterThatWritesInPlaceIsCaughtTearingItsFile) {
    TempDirectory dir;
    InPlaceWriter writer(dir.Path() / "file");
    const KillLoop::Outcome outcome = KillLoop("in-place writer").Run(writer);
    ASSERT_FALSE(outcome.faults.empty());
    EXPECT_NE(outcome.faults.front().find("no whole generation"), std::string::npos) << outcome.faults.front();
}

TEST(KillLoopTest, APayloadNamesOnlyItsOwnGenerationWhole) {
    const std::string payload = KillLoop::Payload(41, 100);
    EXPECT_EQ(payload.size(), 100U);
    EXPECT_EQ(KillLoop::GenerationOf(payload, 100), 41);
    const std::string next = KillLoop::Payload(42, 100);
    for (const std::string& torn : {std::string(), payload.substr(0, 50), payload.substr(0, 50) + next.substr(50),
                                    std::string(100, '\0'), payload + "x"}) {
        EXPECT_EQ(KillLoop::GenerationOf(torn, 100), std::nullopt) << torn;
    }
}

}  // namespace
}  // namespace ostrellix::testing

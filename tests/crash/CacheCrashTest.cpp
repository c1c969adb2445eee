#include <gtest/gtest.h>

#include <charconv>
#include <memory>
#include <sstream>

#include "sync/SynchronizationCache.h"
#include "tests/crash/KillLoop.h"
#include "tests/support/AddinWorld.h"

namespace ostrellix::testing {
namespace {

using addin::SynchronizationCache;

constexpr int kPairs = 500;

std::string EntryId(std::int64_t generation, int pair) {
    return std::to_string(generation) + "-" + std::to_string(pair) + "-" +
           std::string(32, static_cast<char>('a' + generation % 26));
}

std::string Text(const pugi::xml_node& node) {
    std::ostringstream text;
    node.print(text, "", pugi::format_raw);
    return text.str();
}

// Each generation is a whole cache of a few thousand pairs, saved at once.
class CacheWriter final : public CrashWriter {
public:
    explicit CacheWriter(std::filesystem::path folder) : folder_(std::move(folder)) {}

    void Open() override { cache_ = std::make_unique<SynchronizationCache>(); }
    void Close() override { cache_.reset(); }
    void Write(std::int64_t generation) override {
        Fill(*cache_, generation);
        cache_->Save();
    }
    std::optional<std::int64_t> Read() override {
        SynchronizationCache loaded;
        loaded.Load();
        const std::string entryId = loaded.XML().child("person").child("item").attribute("entryid").value();
        std::int64_t generation = -1;
        if (std::from_chars(entryId.data(), entryId.data() + entryId.size(), generation).ec != std::errc()) {
            return std::nullopt;
        }
        SynchronizationCache expected;
        Fill(expected, generation);
        if (Text(loaded.XML()) != Text(expected.XML())) return std::nullopt;
        return generation;
    }
    std::vector<std::filesystem::path> Leftovers() override {
        return FilesIn(folder_,
                       [](const auto& path) { return path.filename().string().starts_with("OutlookCache.xml."); });
    }

private:
    static void Fill(SynchronizationCache& cache, std::int64_t generation) {
        cache.Clear();
        for (int pair = 0; pair < kPairs; ++pair) cache.Add("person:" + std::to_string(pair), EntryId(generation, pair));
    }

    std::filesystem::path folder_;
    std::unique_ptr<SynchronizationCache> cache_;
};

TEST(CacheCrashTest, AKilledSaveLeavesTheOldOrTheNewCacheFile) {
    AddinWorld world;
    CacheWriter writer(std::filesystem::path(SynchronizationCache().Path()).parent_path());
    const KillLoop::Outcome outcome = KillLoop("synchronization cache").Run(writer);
    EXPECT_EQ(outcome.faults, std::vector<std::string>{});
    // Every save takes a fresh temporary name, so one left by a killed save
    // stays; the cache reads only its own name and the save after it is whole.
    EXPECT_EQ(outcome.leftoversAfterNextWrite, static_cast<std::size_t>(outcome.leftTemporary));
}

}  // namespace
}  // namespace ostrellix::testing

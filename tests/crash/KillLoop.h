#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/crash/CrashWriter.h"

namespace ostrellix::testing {

// Kills a process that writes through a CrashWriter over and over, at a
// random moment each time (SIGKILL, seeded delays), and checks after every
// kill that the file holds either the last generation the process finished
// or the one it was writing, read by the product's own reader.
//
// OSTRELLIX_CRASH_KILLS sets the kills per writer (default 100) and
// OSTRELLIX_CRASH_SEED the seed (default random; printed either way).
class KillLoop {
public:
    struct Outcome {
        int kills = 0;
        int heldNew = 0;        // the write under way when killed had been renamed into place
        int leftTemporary = 0;  // kills after which more temporary files lay beside the file than before
        std::size_t leftoversAfterNextWrite = 0;
        // What went wrong, each with its kill's number; empty when every kill left old or new.
        std::vector<std::string> faults;
    };

    explicit KillLoop(std::string name);

    // Writes two generations itself (timing the second to choose delays of
    // up to a few writes), then kills `kills` writing processes, then writes
    // once more and counts the temporary files still lying about.
    Outcome Run(CrashWriter& writer);

    // Content of `size` bytes that names its generation at the start and
    // differs from the generations next to it in every byte after that.
    static std::string Payload(std::int64_t generation, std::size_t size);
    // The generation a payload names, when it is that generation's payload whole.
    static std::optional<std::int64_t> GenerationOf(std::string_view payload, std::size_t size);

private:
    std::string name_;
    int kills_;
    std::uint64_t seed_;
};

// The files in `folder` whose path `take` accepts: a writer's leftovers.
std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder,
                                           const std::function<bool(const std::filesystem::path&)>& take);

}  // namespace ostrellix::testing

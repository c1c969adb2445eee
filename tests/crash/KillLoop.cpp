#include "tests/crash/KillLoop.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <random>
#include <thread>

namespace ostrellix::testing {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int64_t kReady = -1;
constexpr std::string_view kHeader = "generation ";

std::int64_t EnvironmentNumber(const char* name, std::int64_t fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    return std::strtoll(text, nullptr, 10);
}

std::uint64_t Seed() {
    if (const char* text = std::getenv("OSTRELLIX_CRASH_SEED"); text && *text) return std::strtoull(text, nullptr, 10);
    return std::random_device{}();
}

// The child's side: open, say so, then write generation after generation,
// telling the parent of each one finished, until killed.
[[noreturn]] void WriteUntilKilled(CrashWriter& writer, std::int64_t first, int report) {
    try {
        writer.Open();
        if (::write(report, &kReady, sizeof kReady) != sizeof kReady) ::_exit(4);
        for (std::int64_t generation = first;; ++generation) {
            writer.Write(generation);
            if (::write(report, &generation, sizeof generation) != sizeof generation) ::_exit(4);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "crash writer failed: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "crash writer failed\n");
    }
    ::_exit(3);
}

bool ReadWhole(int fd, std::int64_t& value) {
    auto* bytes = reinterpret_cast<char*>(&value);
    std::size_t done = 0;
    while (done < sizeof value) {
        const ssize_t n = ::read(fd, bytes + done, sizeof value - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::int64_t> ReadHeld(CrashWriter& writer, std::string& why) {
    try {
        return writer.Read();
    } catch (const std::exception& error) {
        why = error.what();
        return std::nullopt;
    }
}

}  // namespace

KillLoop::KillLoop(std::string name)
    : name_(std::move(name)),
      kills_(static_cast<int>(EnvironmentNumber("OSTRELLIX_CRASH_KILLS", 100))),
      seed_(Seed()) {}

KillLoop::Outcome KillLoop::Run(CrashWriter& writer) {
    Outcome outcome;
    writer.Open();
    writer.Write(0);
    const auto started = Clock::now();
    writer.Write(1);
    const auto oneWrite = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
    writer.Close();
    // Up to two writes: a kill lands anywhere in a write, or between two.
    const std::int64_t longest = std::clamp<std::int64_t>(2 * oneWrite.count(), 200, 300000);
    std::cout << "[crash] " << name_ << ": seed " << seed_ << ", " << kills_ << " kills, delays up to " << longest
              << " us" << std::endl;

    std::mt19937_64 random(seed_);
    std::uniform_int_distribution<std::int64_t> delay(0, longest);
    std::int64_t held = 1;
    for (int kill = 1; kill <= kills_; ++kill) {
        const std::string where = name_ + " kill " + std::to_string(kill) + " (seed " + std::to_string(seed_) + "): ";
        const std::size_t leftovers = writer.Leftovers().size();
        int report[2];
        if (::pipe(report) != 0) {
            outcome.faults.push_back(where + "no pipe");
            break;
        }
        std::cout.flush();
        std::cerr.flush();
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(report[0]);
            WriteUntilKilled(writer, held + 1, report[1]);
        }
        ::close(report[1]);
        std::int64_t ready = 0;
        if (child < 0 || !ReadWhole(report[0], ready) || ready != kReady) {
            if (child > 0) ::waitpid(child, nullptr, 0);
            ::close(report[0]);
            outcome.faults.push_back(where + "the writing process did not start");
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        std::int64_t finished = held;
        for (std::int64_t generation = 0; ReadWhole(report[0], generation);) finished = generation;
        ::close(report[0]);
        ++outcome.kills;
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            outcome.faults.push_back(where + "the writing process stopped on its own");
            break;
        }

        if (writer.Leftovers().size() > leftovers) ++outcome.leftTemporary;
        std::string why;
        const std::optional<std::int64_t> found = ReadHeld(writer, why);
        if (!found) {
            outcome.faults.push_back(where + "the file holds no whole generation (" + why + "; finished " +
                                     std::to_string(finished) + ")");
            break;
        }
        if (*found != finished && *found != finished + 1) {
            outcome.faults.push_back(where + "the file holds generation " + std::to_string(*found) + ", expected " +
                                     std::to_string(finished) + " or " + std::to_string(finished + 1));
            break;
        }
        outcome.heldNew += *found == finished + 1;
        held = *found;
    }

    writer.Open();
    writer.Write(held + 1);
    writer.Close();
    std::string why;
    if (ReadHeld(writer, why) != held + 1) outcome.faults.push_back(name_ + ": the write after the kills was lost (" + why + ")");
    outcome.leftoversAfterNextWrite = writer.Leftovers().size();
    std::cout << "[crash] " << name_ << ": " << outcome.kills << " kills, " << outcome.heldNew << " held the new file, "
              << outcome.leftTemporary << " left a temporary file, " << outcome.leftoversAfterNextWrite
              << " temporary files after the next write" << std::endl;
    return outcome;
}

std::string KillLoop::Payload(std::int64_t generation, std::size_t size) {
    std::string payload = std::string(kHeader) + std::to_string(generation) + "\n";
    payload.resize(std::max(size, payload.size()), static_cast<char>('a' + generation % 26));
    return payload;
}

std::optional<std::int64_t> KillLoop::GenerationOf(std::string_view payload, std::size_t size) {
    if (!payload.starts_with(kHeader)) return std::nullopt;
    std::int64_t generation = -1;
    const char* digits = payload.data() + kHeader.size();
    if (std::from_chars(digits, payload.data() + payload.size(), generation).ec != std::errc() || generation < 0) {
        return std::nullopt;
    }
    if (payload != Payload(generation, size)) return std::nullopt;
    return generation;
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder,
                                           const std::function<bool(const std::filesystem::path&)>& take) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (take(entry.path())) found.push_back(entry.path());
    }
    return found;
}

}  // namespace ostrellix::testing

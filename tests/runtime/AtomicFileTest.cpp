#include "runtime/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/standins/system/TempDirectory.h"
#include "tests/support/FileText.h"

namespace ostrellix::testing {
namespace {

std::set<std::string> Names(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// Files may grow to `bytes` only, and a write past that fails with EFBIG
// instead of killing the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

class AtomicFileTest : public ::testing::Test {
protected:
    TempDirectory dir;
    std::filesystem::path file = dir.Path() / "notes.txt";
};

TEST_F(AtomicFileTest, ReplacesTheFileWholeWithTheAccessAsked) {
    const mode_t mask = ::umask(022);
    AtomicFile::Replace(file, std::string_view("first"));
    AtomicFile::Replace(file, std::string_view("second, longer"));
    const std::filesystem::path secret = dir.Path() / "secret";
    AtomicFile::Replace(secret, std::string_view("x"), AtomicFile::Access::OwnerOnly);
    ::umask(mask);

    EXPECT_EQ(FileText(file), "second, longer");
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"notes.txt", "secret"}));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644U);
    ASSERT_EQ(::stat(secret.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600U);
}

TEST_F(AtomicFileTest, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    AtomicFile::Replace(file, std::string_view("old"));
    try {
        FileSizeLimit limit(8);
        AtomicFile::Replace(file, std::string_view("a new content too large for the limit"));
        FAIL() << "the write went through";
    } catch (const AtomicFile::Failure& failure) {
        EXPECT_EQ(failure.Where(), AtomicFile::Step::Write);
        EXPECT_EQ(failure.SystemError(), EFBIG);
        EXPECT_EQ(failure.Number(), AtomicFile::kPathFileAccessError);
        EXPECT_EQ(failure.Description(), "The file '" + file.string() + "' could not be written: " + failure.Reason());
        EXPECT_TRUE(AtomicFile::IsTemporaryOf(failure.Temporary(), file)) << failure.Temporary();
    }
    EXPECT_EQ(FileText(file), "old");
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"notes.txt"});
}

TEST_F(AtomicFileTest, FailingToRenameLeavesNoTemporaryFile) {
    // A folder in the target's place cannot be replaced by a file.
    std::filesystem::create_directories(file / "inside");
    try {
        AtomicFile::Replace(file, std::string_view("text"));
        FAIL() << "a folder was replaced";
    } catch (const AtomicFile::Failure& failure) {
        EXPECT_EQ(failure.Where(), AtomicFile::Step::Replace);
    }
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"notes.txt"});
    EXPECT_TRUE(std::filesystem::is_directory(file / "inside"));
}

TEST_F(AtomicFileTest, AMissingFolderIsPathNotFound) {
    const std::filesystem::path nowhere = dir.Path() / "missing" / "notes.txt";
    try {
        AtomicFile::Replace(nowhere, std::string_view("text"));
        FAIL() << "written into a missing folder";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), AtomicFile::kPathNotFound);
        EXPECT_NE(error.Description().find(nowhere.string()), std::string::npos) << error.Description();
    }
    EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
}

// Forked writers start from the same state; each must get a temporary file
// of its own, or one renames the other's half-written file into place.
TEST_F(AtomicFileTest, ForkedWritersNeverShareATemporaryFile) {
    constexpr int kWriters = 6;
    constexpr std::size_t kSize = 256 * 1024;
    std::vector<pid_t> children;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int status = 0;
            try {
                for (int round = 0; round < 5; ++round) {
                    AtomicFile::Replace(file, std::string(kSize, static_cast<char>('a' + writer)));
                }
            } catch (const ComError&) {
                status = 1;
            }
            ::_exit(status);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string content = FileText(file);
    ASSERT_EQ(content.size(), kSize);
    EXPECT_EQ(content, std::string(kSize, content.front()));
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"notes.txt"});
}

TEST_F(AtomicFileTest, OnlyTheTargetsOwnLeftoversAreRemoved) {
    struct Case {
        std::string name;
        bool leftover;
    };
    const std::vector<Case> cases = {
        {"notes.txt.tmp-Ab3xYz", true},     {"notes.txt.tmp-Ab3xY", false}, {"notes.txt.tmp-Ab3xYz1", false},
        {"other.txt.tmp-Ab3xYz", false},     {"notes.txt.Ab3xYz", false},    {"notes.txt", false},
        {"xnotes.txt.tmp-Ab3xYz", false},
    };
    std::set<std::string> kept;
    for (const Case& each : cases) {
        std::ofstream(dir.Path() / each.name) << "left";
        EXPECT_EQ(AtomicFile::IsTemporaryOf(dir.Path() / each.name, file), each.leftover) << each.name;
        if (!each.leftover) kept.insert(each.name);
    }
    EXPECT_FALSE(AtomicFile::IsTemporaryOf(dir.Path() / "sub" / "notes.txt.tmp-Ab3xYz", file));
    AtomicFile::RemoveLeftovers(file);
    EXPECT_EQ(Names(dir.Path()), kept);
}

}  // namespace
}  // namespace ostrellix::testing

// Damaged and hostile message files: each gives a ComError that names the
// file, never a crash, a hang or an unbounded allocation (the sanitizer
// build watches the last two).
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#endif
#endif

#include "runtime/ComError.h"
#include "standins/message/LittleEndianWriter.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/MsgReader.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/OleStorageWriter.h"
#include "tests/standins/message/TestMessages.h"
#include "tests/support/FileText.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::message {
namespace {

using ostrellix::testing::Raised;

// The error reading `bytes` raises; fails the test when there is none.
ComError ReadError(const std::vector<std::uint8_t>& bytes, MessageFileLimits limits = {}) {
    try {
        MsgReader(limits).Read(bytes, "hostile.msg");
    } catch (const ComError& error) {
        return error;
    }
    ADD_FAILURE() << "the file was read without an error";
    return ComError(0, "", "");
}

// An empty message whose name map has one entry: an id (or a string's
// offset), and the word holding the property set's index and the kind.
OleStorageWriter NameMapOfOne(OleStorageWriter& root, std::uint32_t idOrOffset, std::uint16_t setAndKind) {
    root.AddStream("__properties_version1.0", testing::PropertyStream(32, {}));
    OleStorageWriter names = root.AddStorage("__nameid_version1.0");
    LittleEndianWriter entry;
    entry.U32(idOrOffset);
    entry.U16(setAndKind);
    entry.U16(0);
    names.AddStream("__substg1.0_00030102", entry.Bytes());
    return names;
}

TEST(MsgCorruption, MissingFileAndForeignFileAreNamedInTheError) {
    const auto missing = Raised([&] { MsgReader().ReadFile("/nonexistent/folder/mail.msg"); });
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->Number(), file_error::NotFound);
    EXPECT_NE(missing->Description().find("/nonexistent/folder/mail.msg"), std::string::npos);
    const std::string text = "From: a@example.com\r\nSubject: not a compound file\r\n\r\nbody";
    const ComError error = ReadError({text.begin(), text.end()});
    EXPECT_EQ(error.Number(), file_error::Corrupt);
    EXPECT_NE(error.Description().find("'hostile.msg'"), std::string::npos) << error.Description();
    EXPECT_EQ(ReadError({}).Number(), file_error::Corrupt);
}

// Every truncation and random flipped bytes give an error naming the file or a message, never a crash.
TEST(MsgCorruption, TruncatedAndFlippedFilesNeverCrash) {
    const auto original = MsgWriter::Write(testing::TypicalMail());
    std::vector<std::vector<std::uint8_t>> damaged;
    for (std::size_t length = 0; length < original.size(); length += 509) {
        damaged.emplace_back(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(length));
    }
    const std::size_t cuts = damaged.size();
    std::mt19937 random(20240314);
    for (int round = 0; round < 300; ++round) {
        auto& bytes = damaged.emplace_back(original);
        for (int i = 0; i < 8; ++i) bytes[random() % bytes.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
    }
    int flippedErrors = 0;
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        if (const auto error = Raised([&] { MsgReader().Read(damaged[i], "damaged.msg"); })) {
            flippedErrors += i >= cuts;
            EXPECT_NE(error->Description().find("'damaged.msg'"), std::string::npos) << error->Description();
        }
    }
    EXPECT_GT(flippedErrors, 0);
}

TEST(MsgCorruption, LimitsOnSizeCountDepthAndValuesAreKept) {
    const auto mail = MsgWriter::Write(testing::TypicalMail());
    MessageFileLimits few;
    few.maxRecipients = 2;
    EXPECT_NE(ReadError(mail, few).Description().find("recipients"), std::string::npos);
    MessageFileLimits small;
    small.maxStreamBytes = 10000;  // the attachment has 70000 bytes
    EXPECT_NE(ReadError(mail, small).Description().find("limit"), std::string::npos);
    MessageFileLimits tiny;
    tiny.maxFileBytes = 1000;
    EXPECT_EQ(ReadError(mail, tiny).Number(), file_error::Corrupt);
    MessageFileLimits shallow;
    shallow.maxEmbeddingDepth = 3;
    EXPECT_NE(ReadError(MsgWriter::Write(testing::NestedMail(4)), shallow).Description().find("nested"),
              std::string::npos);

    // A multi-valued property claiming a thousand values.
    MessageFileLimits fewValues;
    fewValues.maxValuesPerProperty = 100;
    OleStorageWriter root;
    const std::uint32_t tag = MakeTag(0x6701, pt::MultiValued | pt::Unicode);
    root.AddStream("__properties_version1.0", testing::PropertyStream(32, {{tag, 4000}}));
    root.AddStream("__substg1.0_6701101F", std::vector<std::uint8_t>(4000));  // 1000 lengths
    EXPECT_NE(ReadError(root.Finish(), fewValues).Description().find("values"), std::string::npos);
}

TEST(MsgCorruption, HandMadeHostileLayoutsAreRefused) {
    struct Case {
        const char* what;
        void (*fill)(OleStorageWriter&);
        const char* told;
    };
    const Case cases[] = {
        {"a property stream shorter than its header",
         [](OleStorageWriter& root) { root.AddStream("__properties_version1.0", std::vector<std::uint8_t>(20)); },
         "cut short"},
        {"no property stream at all", [](OleStorageWriter&) {}, "no property stream"},
        {"a named property whose property set index points past the GUID stream",
         [](OleStorageWriter& root) { NameMapOfOne(root, 0x8083, 9 << 1).Close(); }, "property set"},
        {"a string name whose offset lies past the string stream",
         [](OleStorageWriter& root) {
             OleStorageWriter names = NameMapOfOne(root, 4000, 2 << 1 | 1);
             names.AddStream("__substg1.0_00040102", std::vector<std::uint8_t>{4, 0, 0, 0, 'K', 0});
             names.Close();
         },
         "past"},
        {"an attachment that says it holds a message, whose message has no properties",
         [](OleStorageWriter& root) {
             root.AddStream("__properties_version1.0", testing::PropertyStream(32, {}));
             OleStorageWriter attachment = root.AddStorage("__attach_version1.0_#00000000");
             attachment.AddStream("__properties_version1.0",
                                  testing::PropertyStream(8, {{tag::PR_ATTACH_METHOD, ATTACH_EMBEDDED_MSG}}));
             OleStorageWriter inner = attachment.AddStorage("__substg1.0_3701000D");
             inner.AddStream("unrelated", std::vector<std::uint8_t>{1});
             inner.Close();
             attachment.Close();
         },
         "attachment 1"},
    };
    for (const Case& test : cases) {
        OleStorageWriter root;
        test.fill(root);
        const std::string description = ReadError(root.Finish()).Description();
        EXPECT_NE(description.find(test.told), std::string::npos) << test.what << ": " << description;
    }
}

// A fuzzer's find: a compound file whose directory nests deeply and breaks
// off. libgsf refuses it, leaking the entries it had read (not ours to free:
// they are kept from the leak check, as in the fuzzer's suppressions).
TEST(MsgCorruption, ADamagedDeepDirectoryIsRefused) {
    const std::filesystem::path file = std::filesystem::path(MESSAGE_FUZZ_CORPUS) / "msg" / "damaged-directory.msg";
    const std::string text = ostrellix::testing::FileText(file);
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    ASSERT_FALSE(bytes.empty()) << file;
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    const __lsan::ScopedDisabler librarysOwnLeak;
#endif
#endif
    const ComError error = ReadError(bytes);
    EXPECT_EQ(error.Number(), file_error::Corrupt);
    EXPECT_NE(error.Description().find("'hostile.msg'"), std::string::npos) << error.Description();
}

}  // namespace
}  // namespace ostrellix::standin::message

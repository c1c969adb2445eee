#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>

#include "apps/ostrellix/FileCommand.h"
#include "tests/faults/FaultSweep.h"

namespace ostrellix::faults {
namespace {

constexpr int kShards = 6;

// A batch of mails, one from each kind of sender: a person Kelo knows, a
// person of another company Kelo knows, and a stranger, as ".eml" files.
class Batch {
public:
    Batch() {
        const char* senders[] = {"Maria Sjoberg <maria.sjoberg@nordvik.se>",
                                 "Paul Okafor <paul.okafor@brisa-logistics.com>", "Stranger <someone@elsewhere.example>"};
        for (int i = 0; i < 3; ++i) {
            const std::string subject = "Batch mail " + std::to_string(i);
            const auto path = folder_.Path() / ("mail" + std::to_string(i) + ".eml");
            std::ofstream(path, std::ios::binary)
                << "From: " << senders[i % 3] << "\r\nTo: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
                << "Subject: " << subject << "\r\nDate: Thu, 02 May 2024 10:0" << i << ":00 +0000\r\n"
                << "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n\r\nHello Anna.\r\n";
            files_.emplace_back(path.string(), subject);
        }
    }

    // The user drops the files whose mail is not in Kelo yet: all of them
    // the first time, the ones that failed after a fault.
    void DropTheMissing(host::Host& host) const {
        const auto filed = DocumentComments(host.TheMachine());
        std::vector<std::string> paths;
        for (const auto& [path, subject] : files_) {
            if (!filed.contains(subject)) paths.push_back(path);
        }
        if (!paths.empty()) host::FileCommand::Drop(host, host::MessageFileList(paths), std::nullopt);
    }

private:
    testing::TempDirectory folder_;
    std::vector<std::pair<std::string, std::string>> files_;
};

class FilingFaultTest : public ::testing::TestWithParam<int> {
protected:
    static const Batch& Files() {
        static const Batch batch;
        return batch;
    }
    static FaultSweep& World() {
        static FaultSweep sweep([](host::Host&) {});
        return sweep;
    }
    static const FaultSweep::Step& Drop() {
        static const FaultSweep::Step drop = [](host::Host& host) { Files().DropTheMissing(host); };
        return drop;
    }
    static std::vector<std::string> Drafts(const testing::StoreDump& dump) {
        std::vector<std::string> drafts;
        std::ranges::copy_if(dump.itemLines, std::back_inserter(drafts),
                             [](const std::string& line) { return line.starts_with("Drafts|"); });
        return drafts;
    }
};

// The other party's address is read with errors skipped, step by step:
// when Outlook fails while it is read (at this call of the first file's
// filing), the lookup finds no address, so no person, and the mail is filed
// with the sender's name as contact and no person or company. The document
// record is there, so the user drops nothing again: the links stay lost.
TEST_F(FilingFaultTest, FaultWhileReadingTheSenderAddress_FilesTheMailWithoutItsPersonAndCompany) {
    const auto reference = World().RunClean(Drop());
    const auto filed = [](const testing::StoreDump& dump) {
        return LineWith(dump.recordLines, "|comment=Batch mail 0|");
    };
    EXPECT_NE(filed(reference.after).find("|person=1|"), std::string::npos);
    // The call that reads the address moves whenever the filing flow gains
    // or loses a platform call, so the test looks for it among the first.
    const auto lost = World().FindFault(Drop(), "", 1, 200, [&](const FaultSweep::Faulted& outcome) {
        return filed(outcome.afterRetry).find("|person=null|") != std::string::npos;
    });
    ASSERT_TRUE(lost.has_value());
    const auto& outcome = *lost;
    EXPECT_NE(filed(outcome.afterRetry).find("|company=null"), std::string::npos);
    EXPECT_EQ(outcome.afterRetry.documentLines, reference.after.documentLines);
}

// A dropped file is imported into Drafts and the copy is deleted once the
// record is made, or by the record window; an error on the way (here the
// disk is full when the mail is saved as the document's ".msg") reaches the
// command's trap before either, so the copy stays in Drafts. The mail is
// still filed once when the user drops the file again.
TEST_F(FilingFaultTest, FaultWhileFilingADroppedFile_LeavesItsImportedCopyInDrafts) {
    const auto reference = World().RunClean(Drop());
    EXPECT_TRUE(Drafts(reference.after).empty());
    const auto outcome = World().RunWithFault(Drop(), {"WriteFile", 1});
    ASSERT_TRUE(outcome.fired);
    EXPECT_EQ(Drafts(outcome.afterFault), std::vector<std::string>{"Drafts||||Batch mail 0|"});
    EXPECT_EQ(outcome.afterRetry.documentLines, reference.after.documentLines);
}

TEST_P(FilingFaultTest, AFaultAtAnyCallOfFilingABatchFilesEveryMailOnceWhenTheUserDropsTheRestAgain) {
    const auto reference = World().RunClean(Drop());
    ASSERT_GT(reference.calls, 0);
    // The imported copies a fault leaves in Drafts, and the links a fault
    // in the address lookup leaves out, shown above.
    World().ignore = [](testing::StoreDump& dump) {
        std::erase_if(dump.itemLines, [](const std::string& line) { return line.starts_with("Drafts|"); });
        for (std::string& line : dump.recordLines) {
            if (line.starts_with("document|")) line = WithoutFields(line, {"contact=", "person=", "company="});
        }
        std::ranges::sort(dump.recordLines);
    };
    World().Sweep(Drop(), reference, GetParam(), kShards);
}

INSTANTIATE_TEST_SUITE_P(Shards, FilingFaultTest, ::testing::Range(0, kShards));

}  // namespace
}  // namespace ostrellix::faults

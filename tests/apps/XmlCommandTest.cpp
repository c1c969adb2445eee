#include "apps/ostrellix/XmlCommand.h"

#include <gtest/gtest.h>

#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "runtime/ComError.h"
#include "tests/apps/HostFixture.h"
#include "tests/support/SourceTree.h"
#include "tests/support/FileText.h"

namespace ostrellix::host {
namespace {

std::string Sample(const std::string& name) {
    return (testing::SourceTree() / "tests/standins/message/data" / name).string();
}

class XmlCommandTest : public HostFixture {
protected:
    XmlCommandTest() : host(NewHost()) {}

    // The subject of the XML's message.
    static std::string Subject(const std::string& xml) {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(xml.c_str())) << xml;
        return document.child("IPM").child("PR_SUBJECT").text().get();
    }

    // The imported message was taken out of the store again.
    void ExpectNothingLeftInDrafts() {
        const auto drafts = addin::Globals::Redemption()->GetDefaultFolder(outlook::olFolderDrafts)->Items();
        EXPECT_EQ(drafts->Count(), 0);
    }

    std::string Error(const std::string& path, const std::optional<std::string>& outPath = std::nullopt) {
        try {
            XmlCommand::Run(*host, path, outPath);
        } catch (const ComError& error) {
            return error.Description();
        }
        return "no error";
    }

    std::unique_ptr<Host> host;
};

TEST_F(XmlCommandTest, PrintsTheXmlOfAMessageFile) {
    EXPECT_EQ(XmlCommand::Run(*host, Sample("top-level-email.msg"), std::nullopt), 0);
    EXPECT_EQ(Subject(out.str()), "Top level email");
    ExpectNothingLeftInDrafts();
}

TEST_F(XmlCommandTest, WritesTheXmlOfAMimeFileWhereAsked) {
    const auto path = folder.Path() / "cc.xml";
    EXPECT_EQ(XmlCommand::Run(*host, Sample("cc.eml"), path.string()), 0);
    EXPECT_NE(out.str().find(path.string()), std::string::npos);
    EXPECT_EQ(Subject(testing::FileText(path)), "To and Cc headers");
    ExpectNothingLeftInDrafts();

    // A place it cannot be written to: an error naming it, and no stray file.
    const auto nowhere = folder.Path() / "missing" / "cc.xml";
    EXPECT_NE(Error(Sample("cc.eml"), nowhere.string()).find(nowhere.string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
    ExpectNothingLeftInDrafts();
}

TEST_F(XmlCommandTest, MissingUnknownAndUnreadableFilesAreRefused) {
    const std::string missing = (folder.Path() / "none.msg").string();
    EXPECT_NE(Error(missing).find(missing), std::string::npos);
    const std::string text = (folder.Path() / "note.txt").string();
    std::ofstream(text) << "not a message";
    EXPECT_NE(Error(text).find("neither a .msg nor an .eml"), std::string::npos);
    const std::string broken = (folder.Path() / "broken.msg").string();
    std::ofstream(broken) << "not a message file either";
    EXPECT_NE(Error(broken).find(broken), std::string::npos);
    ExpectNothingLeftInDrafts();
}

}  // namespace
}  // namespace ostrellix::host

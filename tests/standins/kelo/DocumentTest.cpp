#include <gtest/gtest.h>

#include <fstream>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/DemoData.h"
#include "standins/kelo/engine/Document.h"
#include "standins/kelo/engine/DocumentTemplate.h"
#include "standins/kelo/engine/DocumentTemplates.h"
#include "standins/kelo/engine/FileAccess.h"
#include "standins/message/MsgReader.h"
#include "standins/message/PropertyTag.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

namespace documentstate = ostrellix::kelo::documentstate;
namespace documentupdate = ostrellix::kelo::documentupdate;

class DocumentTest : public KeloFixture {
protected:
    std::string ReadFile(const std::filesystem::path& path) { return Text(FileAccess::Read(path)); }
    static std::string Text(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }
    // The document of the stored record, as a fresh load gives it.
    Ptr<ostrellix::kelo::IDocument> FileOf(std::int32_t id) {
        return Load("document", id)->Value("file").ToObjectAs<ostrellix::kelo::IDocument>();
    }
    // A document record holding the file, stored; answers the record's id.
    std::int32_t StoreWithFile(const std::filesystem::path& path) {
        auto document = std::make_shared<Document>(Engine());
        document->LoadFromFile(path.string());
        auto record = NewRecord("document");
        record->SetValue("file", Variant(document));
        record->Update();
        return record->ID();
    }
};

TEST_F(DocumentTest, AFileGoesIntoTheDatabaseWithItsRecordAndComesBackUnchanged) {
    std::string content = "Subject: test\r\n";
    content += std::string("\0\x01\xff", 3);
    const std::int32_t id = StoreWithFile(WriteFile("mail.msg", content));

    const auto record = Load("document", id);
    const auto document = record->Value("file").ToObjectAs<ostrellix::kelo::IDocument>();
    ASSERT_TRUE(document);
    EXPECT_GT(document->ID(), 0);
    EXPECT_EQ(document->Name(), "mail");
    EXPECT_EQ(document->Extension(), "msg");
    EXPECT_EQ(document->State(), documentstate::Stored);
    EXPECT_EQ(record->Text("file"), "mail.msg");
    const auto copy = dir.Path() / "out" / "copy.msg";
    document->SaveToFile(copy.string());
    EXPECT_EQ(ReadFile(copy), content);
    // A folder that cannot be made (a file is in the way) is a clear error.
    EXPECT_THROW(document->SaveToFile((dir.Path() / "mail.msg" / "copy.msg").string()), ComError);
    EXPECT_THROW(std::make_shared<Document>(Engine())->LoadFromFile((dir.Path() / "nope.msg").string()), ComError);
}

TEST_F(DocumentTest, EditsOfTheMaterialisedFileAreTakenBackByUpdate) {
    const std::int32_t id = StoreWithFile(WriteFile("notes.txt", "first"));
    const auto document = FileOf(id);
    const std::string file = document->Filename();
    EXPECT_EQ(document->Filename(), file);  // one file per document object
    EXPECT_EQ(std::filesystem::path(file).filename(), "notes.txt");
    EXPECT_EQ(ReadFile(file), "first");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "second";
    document->Update(documentupdate::Commit);
    EXPECT_EQ(ReadFile(file), "second");
    EXPECT_EQ(Text(FileOf(id)->Data()), "second");
    document->Update(documentupdate::Release);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_THROW(document->Update(1), ComError);
}

TEST_F(DocumentTest, AReadOnlyDocumentRefusesChanges) {
    const std::int32_t id = StoreWithFile(WriteFile("fixed.txt", "keep"));
    auto document = Load("document", id)->Value("file").ToObjectAs<Document>();
    document->SetReadOnly(true);
    const auto reread = FileOf(id);
    EXPECT_EQ(reread->State(), documentstate::Stored | documentstate::ReadOnly);
    std::ofstream(reread->Filename(), std::ios::binary | std::ios::trunc) << "changed";
    EXPECT_THROW(reread->Update(documentupdate::Commit), ComError);
    EXPECT_THROW(reread->SetName("other"), ComError);
    EXPECT_EQ(Text(FileOf(id)->Data()), "keep");
}

TEST_F(DocumentTest, TemplatesAreKeptInTheDatabaseAndWrittenOut) {
    DocumentTemplate::Create(Engine(), "Offer", "person", "msg", {'M', 'S', 'G'});
    DocumentTemplate::Create(Engine(), "Any", "", "eml", {'E'});
    const auto templates = App().Database()->Templates();
    ASSERT_EQ(templates->Count(), 2);
    EXPECT_EQ(templates->Item(1)->Name(), "Offer");
    EXPECT_EQ(templates->Item(1)->Location(), "person");
    const auto path = dir.Path() / "t" / "offer.msg";
    templates->Item(1)->WriteFile(path.string());
    EXPECT_EQ(ReadFile(path), "MSG");

    auto chosen = std::make_shared<DocumentTemplates>();
    chosen->Add(templates->Item(2));
    EXPECT_EQ(chosen->Count(), 1);
    EXPECT_THROW(chosen->Item(2), ComError);
}

TEST_F(DocumentTest, ADocumentThatNeverHeldContentHasNoFile) {
    auto document = std::make_shared<Document>(Engine());
    document->SetExtension("msg");
    EXPECT_EQ(document->Filename(), "");
    document->SetData({'x'});
    EXPECT_FALSE(document->Filename().empty());
}

TEST_F(DocumentTest, TheDemoMailTemplateIsAMessageFileWithFieldCodes) {
    DemoData::SeedMailTemplates(Engine());
    const auto templates = App().Database()->Templates();
    ASSERT_EQ(templates->Count(), 1);
    EXPECT_EQ(templates->Item(1)->Extension(), "msg");
    const auto path = dir.Path() / "offer.msg";
    templates->Item(1)->WriteFile(path.string());
    const message::MessageData mail = message::MsgReader().ReadFile(path);
    EXPECT_EQ(mail.properties.GetValue(message::tag::PR_SUBJECT).ToString(), "Offer for <firstname> <lastname>");
    ASSERT_EQ(mail.recipients.size(), 2u);
    EXPECT_EQ(mail.recipients[0].properties.GetValue(message::tag::PR_DISPLAY_NAME).ToString(), "<email>");
    EXPECT_EQ(mail.recipients[1].properties.GetValue(message::tag::PR_RECIPIENT_TYPE).ToLong(), message::MAPI_CC);
}

}  // namespace
}  // namespace ostrellix::standin::kelo

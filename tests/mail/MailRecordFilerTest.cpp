#include <filesystem>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IDocument.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "tests/mail/MailFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin::mailtest {
namespace {

using ostrellix::testing::Raised;

namespace fieldtype = kelo::fieldtype;
using standin::kelo::FieldSpec;

class MailRecordFilerTest : public MailTest {
protected:
    // A class of document records made of these fields (and relations to person and company when asked).
    Ptr<kelo::IClass> AddDocumentClass(const std::string& name, std::vector<FieldSpec> fields, bool person = true) {
        auto& schema = world.Client().Data()->Metadata();
        const auto cls = schema.AddClass({name, name, name + "s", 0, "<title>"});
        for (FieldSpec& field : fields) schema.AddField(cls, std::move(field));
        const auto relation = [&](const char* field, const char* to) {
            schema.AddRelation(cls, {.name = field, .type = fieldtype::RelationToOne}, schema.Require(to),
                               {.name = name + "_list", .type = fieldtype::RelationToMany});
        };
        if (person) relation("person", "person");
        relation("company", "company");
        return Class(name);
    }

    Ptr<kelo::IRecord> File(const std::string& headers, const ObjectPtr& context = nullptr,
                            Ptr<kelo::IRecord> record = nullptr) {
        if (!record) record = sync->CreateMailRecord();
        sync->UpdateRecordFromMailItem(record, Import(WriteEml("mail.eml", headers, "Forty units, please.")), context);
        return record;
    }

    bool MessageFilesLeft() {
        for (const auto& entry : std::filesystem::directory_iterator(world.Folder() / "work")) {
            if (entry.path().extension() == ".msg") return true;
        }
        return false;
    }
};

TEST_F(MailRecordFilerTest, AReceivedMailFillsEveryRoleOfTheDocument) {
    const auto record = File(kFromMaria);
    const auto message = Import(WriteEml("again.eml", kFromMaria));
    const auto maria = Find("person", "lastname", Variant("Sjöberg"));

    const auto document = record->Value("file").ToObjectAs<kelo::IDocument>();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Name(), "Spring order");
    EXPECT_EQ(document->Extension(), "msg");
    EXPECT_EQ(document->Data().at(0), 0xD0);  // an Outlook message file
    EXPECT_EQ(record->Text("comment"), "Spring order");
    EXPECT_TRUE(record->Text("body").starts_with("Forty units, please.")) << record->Text("body");
    EXPECT_EQ(record->Value("sent").ToDate(), message->SentOn());
    EXPECT_EQ(record->Value("received").ToDate(), message->ReceivedTime());
    EXPECT_NE(message->SentOn(), message->ReceivedTime());
    EXPECT_EQ(record->Value("coworker").ToLong(), Find("coworker", "lastname", Variant("Lindqvist"))->ID());
    EXPECT_EQ(record->Value("person").ToLong(), maria->ID());
    EXPECT_EQ(record->Value("company").ToLong(), maria->Value("company").ToLong());
    EXPECT_EQ(record->Text("contact"), "Maria Sjöberg");

    EXPECT_TRUE(world.Logged("Synchronizer - UpdateRecordFromMailItem - Matched fields:\r\n\tDocument: file\r\n\t"
                             "Contact: contact\r\n\tComment: comment\r\n\tSent: sent\r\n\tReceived: received\r\n\t"
                             "Body: body\r\n\tCoworker: coworker\r\n\tPerson: person\r\n\tCompany: company"));
    EXPECT_TRUE(world.Logged("Synchronizer - UpdateRecordFromMailItem - Matched person by message: " +
                             std::to_string(maria->ID()) + " (Maria Sjöberg)"));
    EXPECT_FALSE(MessageFilesLeft());
    EXPECT_FALSE(record->State() & kelo::recordstate::Loaded);  // nothing stored
}

TEST_F(MailRecordFilerTest, LongSubjectsAreCutForTheDocumentNameAndTheFieldLengths) {
    const std::string subject = "Å" + std::string(199, 'x');
    const std::string headers = "From: lena@tallbacka.com\r\nTo: anna.lindqvist@demo.example\r\nSubject: " + subject + "\r\n";
    const auto record = File(headers);
    const auto document = record->Value("file").ToObjectAs<kelo::IDocument>();
    EXPECT_EQ(text::Len(document->Name()), 124u);  // with ".msg": 128
    EXPECT_EQ(document->Name(), text::Left(subject, 124));
    EXPECT_EQ(record->Text("comment"), subject);  // the field takes 200

    const auto narrow = AddDocumentClass("memo", {{.name = "title", .label = 3, .maxLength = 50},
                                                  {.name = "text", .label = 8, .type = fieldtype::Text, .maxLength = 10}});
    const auto wide = AddDocumentClass("letter", {{.name = "title", .label = 3, .maxLength = 0}});
    auto memo = NewRecord("memo");
    File(headers, nullptr, memo);
    EXPECT_EQ(memo->Text("title"), text::Left(subject, 50));
    EXPECT_EQ(memo->Text("text"), "Forty unit");
    auto letter = NewRecord("letter");
    File(headers, nullptr, letter);
    EXPECT_EQ(letter->Text("title"), subject);
    EXPECT_TRUE(world.Logged("Synchronizer - UpdateRecordFromMailItem - Matched fields:\r\n\tComment: title\r\n\t"
                             "Person: person\r\n\tCompany: company"));
}

TEST_F(MailRecordFilerTest, DatesBeyondTheYear4000AreNoDates) {
    const auto record = File("From: lena@tallbacka.com\r\nTo: anna.lindqvist@demo.example\r\nSubject: Undated\r\n");
    EXPECT_TRUE(record->Value("received").IsNull());
    EXPECT_TRUE(record->Value("sent").IsNull());
}

TEST_F(MailRecordFilerTest, WithoutAPersonTheContactIsTheOtherPartysName) {
    auto record = File("From: 'Jane Doe' <jane@unknown.example>\r\nTo: anna.lindqvist@demo.example\r\nSubject: Hi\r\n");
    EXPECT_EQ(record->Text("contact"), "Jane Doe");
    EXPECT_TRUE(record->Value("person").IsNull());
    EXPECT_TRUE(record->Value("company").IsNull());
    EXPECT_TRUE(world.Logged("Synchronizer - UpdateRecordFromMailItem - No person matched by message."));

    record = File("From: anna.lindqvist@demo.example\r\nTo: 'Bo Ek' <bo@unknown.example>, Cy <cy@unknown.example>\r\n"
                  "Subject: Hi\r\n");
    EXPECT_EQ(record->Text("contact"), "'Bo Ek'; Cy");  // the To line, quotes kept: they do not close it
}

TEST_F(MailRecordFilerTest, AClassWithoutAPersonFieldStillFindsThePersonsCompany) {
    AddDocumentClass("note", {{.name = "contact", .label = 1, .maxLength = 100}}, false);
    const auto note = File(kFromMaria, nullptr, NewRecord("note"));
    EXPECT_EQ(note->Text("contact"), "Maria Sjöberg");
    EXPECT_EQ(note->Text("company"), "Nordvik Trading AB");
}

TEST_F(MailRecordFilerTest, TheContextLinksAndMayGiveThePerson) {
    const auto ek = Find("person", "lastname", Variant("Ek"));
    const std::string unknown = "From: jane@unknown.example\r\nTo: anna.lindqvist@demo.example\r\nSubject: Hi\r\n";
    auto record = File(unknown, world.User().OpenRecord("person", ek->ID()));
    EXPECT_EQ(record->Value("person").ToLong(), ek->ID());
    EXPECT_EQ(record->Text("company"), "Nordvik Trading AB");
    EXPECT_TRUE(world.Logged("Synchronizer - UpdateRecordFromMailItem - Matched person by context: " +
                             std::to_string(ek->ID()) + " (Johan Ek)"));

    // A list window on its own is no context.
    const auto list = world.User().OpenList("person");
    world.User().SetActiveItem(list, ek->ID());
    record = File(unknown, list);
    EXPECT_TRUE(record->Value("person").IsNull());

    // Values already there stay.
    record = sync->CreateMailRecord();
    const auto erik = Find("coworker", "lastname", Variant("Holm"));
    record->SetValue("coworker", Variant(erik->ID()));
    record->SetValue("person", Variant(ek->ID()));
    File(kFromMaria, nullptr, record);
    EXPECT_EQ(record->Value("coworker").ToLong(), erik->ID());
    EXPECT_EQ(record->Value("person").ToLong(), ek->ID());
}

TEST_F(MailRecordFilerTest, FailuresReachTheCallerAndLeaveNoMessageFile) {
    const auto record = sync->CreateMailRecord();
    sync->UpdateRecordFromMailItem(record, nullptr, nullptr);
    EXPECT_FALSE(world.Logged("UpdateRecordFromMailItem"));
    const auto error =
        Raised([&] { sync->UpdateRecordFromMailItem(record, Find("person", "lastname", Variant("Ek")), nullptr); });
    ASSERT_TRUE(error) << "a record is no mail";
    EXPECT_EQ(error->Description(), Tools::GetText("InternalError"));
    EXPECT_EQ(error->Number(), 9999);

    AddDocumentClass("fax", {{.name = "pages", .label = 8, .type = fieldtype::Integer}});
    EXPECT_THROW(File(kFromMaria, nullptr, NewRecord("fax")), ComError);  // a body cannot go into a number
    EXPECT_FALSE(MessageFilesLeft());
}

TEST_F(MailRecordFilerTest, AFileGoesIntoTheDocumentField) {
    const std::string path = WriteEml("offer.eml", kFromMaria);
    auto record = sync->CreateMailRecord();
    record->SetValue("comment", Variant("kept"));
    sync->UpdateRecordFromFile(record, path);
    const auto document = record->Value("file").ToObjectAs<kelo::IDocument>();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Extension(), "eml");
    EXPECT_EQ(record->Text("comment"), "kept");
}

}  // namespace
}  // namespace ostrellix::addin::mailtest

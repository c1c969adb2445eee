#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "runtime/IDispatch.h"
#include "runtime/Text.h"
#include "standins/message/PropertySets.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MessageStore.h"
#include "tests/standins/outlook/OutlookFixture.h"

namespace ostrellix::standin::outlook {
namespace {

using testing::OutlookFixture;

bool IsHex(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

std::string Tag(const char* hex) { return std::string(ol::kPropTagNamespace) + hex; }

class ItemTest : public OutlookFixture {};

TEST_F(ItemTest, EntryIdIsEmptyUntilSavedThenStable) {
    auto task = Create<ol::ITaskItem>(ol::olTaskItem);
    EXPECT_EQ(task->EntryID(), "");
    EXPECT_FALSE(task->Saved());
    EXPECT_FALSE(task->Parent());
    task->SetSubject("Call back");
    task->Save();
    const std::string id = task->EntryID();
    EXPECT_TRUE(IsHex(id)) << id;
    EXPECT_TRUE(task->Saved());
    EXPECT_EQ(task->Parent()->EntryID(), Folder(ol::olFolderTasks)->EntryID());
    task->SetSubject("Call back tomorrow");
    EXPECT_FALSE(task->Saved());
    task->Save();
    EXPECT_EQ(task->EntryID(), id);
    // The same message is the same object, found by its EntryID in any letter case.
    EXPECT_TRUE(SameObject(session->GetItemFromID(id), task));
    EXPECT_TRUE(SameObject(session->GetItemFromID(text::LCase(id)), task));
    EXPECT_FALSE(session->GetItemFromID(id.substr(0, id.size() - 2) + "00"));
    EXPECT_EQ(ErrorOf([&] { session->GetItemFromID("not an id"); }), errors::kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { session->GetItemFromID(""); }), errors::kInvalidArgument);
}

// An item reads its message again only when that message may have changed
// since it last looked: after a save of it elsewhere, or a rollback.
TEST_F(ItemTest, AnItemFollowsItsMessageAndReadsNothingWhenOnlyOthersChanged) {
    auto task = Create<ol::ITaskItem>(ol::olTaskItem, "Call back", true);
    auto other = Create<ol::ITaskItem>(ol::olTaskItem, "Other", true);
    MessageStore& store = profile->Store();
    const auto rename = [&](const char* subject) {
        std::optional<StoredMessage> stored = store.Load(task->EntryID());
        message::MessageData data = stored->data.Read();
        data.properties.Set(message::tag::PR_SUBJECT, Variant(subject));
        store.Update(task->EntryID(), data);
    };
    const std::int64_t before = store.Counters().messageLoads;
    other->SetSubject("Other, changed");
    other->Save();
    EXPECT_EQ(task->Subject(), "Call back");
    EXPECT_EQ(store.Counters().messageLoads, before);

    rename("Saved elsewhere");
    other->Save();
    EXPECT_EQ(task->Subject(), "Saved elsewhere");
    {
        StoreTransaction undone(store);
        rename("Rolled back");
        EXPECT_EQ(task->Subject(), "Rolled back");
    }
    EXPECT_EQ(task->Subject(), "Saved elsewhere");
}

TEST_F(ItemTest, UserPropertiesAreTypedNamedProperties) {
    auto item = Create<ol::IAppointmentItem>(ol::olAppointmentItem);
    auto properties = item->UserProperties();
    auto keloId = properties->Add("KeloID", ol::olText, true);
    EXPECT_EQ(keloId->Value().ToString(), "");
    keloId->SetValue(Variant("person:12"));
    EXPECT_EQ(ErrorOf([&] { properties->Add("keloid", ol::olText, true); }), errors::kFailed);
    auto when = properties->Add("Checked", ol::olDateTime, false);
    EXPECT_EQ(when->Value().ToDate(), ol::kNoDate);
    when->SetValue(Variant("2024-05-02 08:30:00"));
    EXPECT_EQ(when->Type(), ol::olDateTime);
    EXPECT_EQ(when->Value().ToDate(), Date::FromParts(2024, 5, 2, 8, 30));
    item->SetCategories("Kelo");
    item->Save();

    // They are PS_PUBLIC_STRINGS string properties of the stored message.
    const auto stored = profile->Store().Load(item->EntryID());
    const auto value = stored->data.Read().properties.GetNamed({message::PublicStrings(), std::string("KeloID")});
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, message::pt::Unicode);
    EXPECT_EQ(value->value.ToString(), "person:12");

    EXPECT_EQ(properties->Count(), 2);
    EXPECT_EQ(properties->Find("KELOID")->Value().ToString(), "person:12");
    properties->Find("KeloID")->Delete();
    EXPECT_FALSE(properties->Find("KeloID"));
    EXPECT_EQ(ErrorOf([&] { keloId->Value(); }), errors::kNotFound);
    EXPECT_EQ(ErrorOf([&] { properties->Add("Money", 14, true); }), errors::kInvalidArgument);
    EXPECT_EQ(item->Categories(), "Kelo") << "categories are not user properties";
}

TEST_F(ItemTest, PropertyAccessorReadsByTagIdAndName) {
    auto contact = Create<ol::IContactItem>(ol::olContactItem);
    contact->SetFullName("Dan Kund");
    contact->SetEmail1Address("dan@kund.example");
    contact->UserProperties()->Add("KeloID", ol::olText, true)->SetValue(Variant("person:7"));
    contact->Save();
    auto accessor = contact->PropertyAccessor();
    EXPECT_EQ(accessor->GetProperty(Tag("3001001F")).ToString(), "Dan Kund");
    EXPECT_EQ(accessor->GetProperty(Tag("3001001E")).ToString(), "Dan Kund") << "either string type";
    EXPECT_EQ(accessor->GetProperty(Tag("0037001F")).ToString(), "Dan Kund") << "a contact's subject is its name";
    EXPECT_TRUE(accessor->GetProperty(Tag("0E04001F")).IsEmpty()) << "a property the item lacks";
    EXPECT_TRUE(accessor->GetProperty(Tag("30010003")).IsEmpty()) << "a property of another type";
    EXPECT_EQ(accessor->GetProperty("http://schemas.microsoft.com/mapi/id/{00062004-0000-0000-C000-000000000046}/8083001F")
                  .ToString(),
              "dan@kund.example");
    EXPECT_EQ(accessor->GetProperty("http://schemas.microsoft.com/mapi/string/{00020329-0000-0000-C000-000000000046}/KeloID")
                  .ToString(),
              "person:7");
    // A tag of the named range means what the store's map says.
    const auto id = profile->Store().NamedProperties().IdOf({message::psets::Address(), std::uint32_t{0x8083}});
    char hex[9];
    std::snprintf(hex, sizeof hex, "%04X001F", id);
    EXPECT_EQ(accessor->GetProperty(Tag(hex)).ToString(), "dan@kund.example");
    EXPECT_TRUE(accessor->GetProperty(Tag("FFF0001F")).IsEmpty());
    for (const char* bad : {"0x37001F", "http://schemas.microsoft.com/mapi/proptag/0x0037001", "urn:schemas:x",
                            "http://schemas.microsoft.com/mapi/id/{bad}/8083001F"}) {
        EXPECT_EQ(ErrorOf([&] { accessor->GetProperty(bad); }), errors::kInvalidArgument) << bad;
    }
    accessor->SetProperty(Tag("3A16001F"), Variant("Kund AB"));
    EXPECT_EQ(contact->CompanyName(), "Kund AB");
}

TEST_F(ItemTest, KindsBehaveAsOutlooksDo) {
    auto appointment = Create<ol::IAppointmentItem>(ol::olAppointmentItem);
    EXPECT_EQ(appointment->Start(), Date::FromParts(2024, 5, 1, 10, 30)) << "the next half hour";
    EXPECT_EQ(appointment->End(), Date::FromParts(2024, 5, 1, 11, 0));
    EXPECT_TRUE(appointment->ReminderSet());
    appointment->SetStart(Date::FromParts(2024, 6, 1, 9, 0));
    EXPECT_EQ(appointment->End(), Date::FromParts(2024, 6, 1, 9, 30)) << "moving the start keeps the duration";
    appointment->Save();
    EXPECT_EQ(appointment->Organizer(), "Anna Berg");

    auto task = Create<ol::ITaskItem>(ol::olTaskItem);
    EXPECT_EQ(task->DueDate(), ol::kNoDate);
    EXPECT_EQ(task->Owner(), "Anna Berg");
    task->SetDueDate(Date::FromParts(2024, 6, 1));
    task->SetDueDate(ol::kNoDate);
    EXPECT_EQ(task->DueDate(), ol::kNoDate);
    task->SetComplete(true);
    task->Save();
    const auto stored = profile->Store().Load(task->EntryID())->data.Read();
    EXPECT_EQ(stored.properties.GetNamed({message::psets::Task(), std::uint32_t{0x8101}})->value.ToLong(), 2);
    EXPECT_FALSE(stored.properties.GetNamed({message::psets::Task(), std::uint32_t{0x8105}}));

    auto contact = Create<ol::IContactItem>(ol::olContactItem);
    contact->SetFullName("Anna Maria Berg");
    EXPECT_EQ(contact->FirstName(), "Anna Maria");
    EXPECT_EQ(contact->LastName(), "Berg");
    contact->SetLastName("Lind");
    EXPECT_EQ(contact->FullName(), "Anna Maria Lind");

    auto mail = Create<ol::IMailItem>(ol::olMailItem);
    EXPECT_FALSE(mail->Sent());
    EXPECT_EQ(mail->SentOn(), ol::kNoDate);
    mail->SetHTMLBody("<html><head><style>p{}</style></head><body><p>Hello &amp; welcome</p>Bye</body></html>");
    EXPECT_EQ(mail->Body(), "Hello & welcome\r\nBye");
    mail->SetBody("Plain <text>");
    EXPECT_NE(mail->HTMLBody().find("Plain &lt;text&gt;"), std::string::npos);
    // Message files bring the HTML body as bytes in the message's code page.
    mail->PropertyAccessor()->SetProperty(Tag("3FDE0003"), Variant(std::int32_t{1252}));
    mail->PropertyAccessor()->SetProperty(Tag("10130102"), Variant(Bytes{'<', 'p', '>', 'K', 0xF6, 'p', '<', '/', 'p', '>'}));
    EXPECT_EQ(mail->HTMLBody(), "<p>K\u00f6p</p>");
    mail->SetTo("dan@kund.example; Bo Lind");
    EXPECT_EQ(mail->Recipients()->Count(), 2);
    EXPECT_EQ(mail->To(), "dan@kund.example; Bo Lind");
    EXPECT_TRUE(mail->Recipients()->ResolveAll());
    EXPECT_EQ(mail->Recipients()->Item(2)->AddressEntry()->Type(), "EX");
}

TEST_F(ItemTest, LateBindingReachesPropertiesByName) {
    auto item = As<IDispatch>(outlook->CreateItem(ol::olAppointmentItem));
    item->Invoke("Subject", InvokeKind::PropertyPut, {Variant("By name")});
    item->Invoke("Location", InvokeKind::PropertyPut, {Variant("Room 1")});
    EXPECT_EQ(item->Invoke("subject", InvokeKind::PropertyGet, {}).ToString(), "By name");
    item->Invoke("Save", InvokeKind::Method, {});
    EXPECT_FALSE(item->Invoke("EntryID", InvokeKind::PropertyGet, {}).ToString().empty());
    EXPECT_EQ(ErrorOf([&] { item->Invoke("Email1Address", InvokeKind::PropertyGet, {}); }), errors::kNotAvailable);
    EXPECT_EQ(ErrorOf([&] { item->Invoke("LastModificationTime", InvokeKind::PropertyPut, {Variant(1)}); }),
              errors::kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { item->Invoke("Fly", InvokeKind::Method, {}); }), errors::kNotAvailable);
}

TEST_F(ItemTest, AttachmentsByValueAndEmbedded) {
    const auto file = directory.Path() / "offer.pdf";
    std::ofstream(file) << "%PDF";
    auto mail = Create<ol::IMailItem>(ol::olMailItem);
    mail->Attachments()->Add(Variant(file.string()), ol::olByValue, 0, "Our offer");
    auto contact = Create<ol::IContactItem>(ol::olContactItem);
    contact->SetFullName("Dan Kund");
    mail->Attachments()->Add(Variant(contact), ol::olEmbeddeditem, 0, {});
    mail->Save();
    auto attachments = mail->Attachments();
    ASSERT_EQ(attachments->Count(), 2);
    EXPECT_EQ(attachments->Item(1)->Type(), ol::olByValue);
    EXPECT_EQ(attachments->Item(1)->FileName(), "offer.pdf");
    EXPECT_EQ(attachments->Item(1)->DisplayName(), "Our offer");
    EXPECT_EQ(attachments->Item(2)->Type(), ol::olEmbeddeditem);
    EXPECT_EQ(attachments->Item(2)->FileName(), "Dan Kund.msg");
    const auto copy = directory.Path() / "copy.pdf";
    attachments->Item(1)->SaveAsFile(copy.string());
    std::string content;
    std::ifstream(copy) >> content;
    EXPECT_EQ(content, "%PDF");
    attachments->Item(1)->Delete();
    EXPECT_EQ(attachments->Count(), 1);
    EXPECT_EQ(ErrorOf([&] { attachments->Add(Variant((directory.Path() / "none").string()), 1, 0, {}); }),
              errors::kFailed);
}

}  // namespace
}  // namespace ostrellix::standin::outlook

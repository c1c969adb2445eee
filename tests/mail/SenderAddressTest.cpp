#include <optional>

#include "contracts/mapi/Constants.h"
#include "contracts/mapi/IMessage.h"
#include "contracts/mapi/IRecipients.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IMailItem.h"
#include "core/Globals.h"
#include "runtime/ComError.h"
#include "standins/mapi/Message.h"
#include "tests/mail/MailFixture.h"

namespace ostrellix::addin::mailtest {
namespace {

using SenderAddressTest = MailTest;
constexpr std::uint32_t kReceivedByName = 0x0040001F;

TEST_F(SenderAddressTest, AMailFileToTheUserIsReceivedAndOneFromHerIsSent) {
    const auto received = Import(WriteEml("received.eml", kFromMaria));
    EXPECT_TRUE(sync->IsMessageSentToMe(received));
    EXPECT_EQ(sync->GetSenderAddressFromItem(received), "maria.sjoberg@nordvik.se");

    const auto copied = Import(WriteEml("cc.eml",
                                        "From: paul.okafor@brisa-logistics.com\r\nTo: johan.ek@nordvik.se\r\n"
                                        "Cc: anna.lindqvist@demo.example\r\nSubject: Freight\r\n"));
    EXPECT_TRUE(sync->IsMessageSentToMe(copied));  // a copy to her is received too
    EXPECT_EQ(sync->GetSenderAddressFromItem(copied), "paul.okafor@brisa-logistics.com");

    // Her own mail, even with a copy to herself, goes to its "To" recipient.
    const auto sent = Import(WriteEml("sent.eml",
                                      "From: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
                                      "To: Paul Okafor <paul.okafor@brisa-logistics.com>\r\n"
                                      "Cc: anna.lindqvist@demo.example\r\nSubject: Prices\r\n"));
    EXPECT_FALSE(sync->IsMessageSentToMe(sent));
    EXPECT_EQ(sync->GetSenderAddressFromItem(sent), "paul.okafor@brisa-logistics.com");
}

TEST_F(SenderAddressTest, AnyOneOfTheThreeMarksMakesAMailReceived) {
    for (const std::uint32_t mark : {kReceivedByName, mapi::PR_MESSAGE_TO_ME, mapi::PR_MESSAGE_CC_ME}) {
        const auto message = SentMail({{"paul.okafor@brisa-logistics.com", outlook::olTo}});
        EXPECT_FALSE(sync->IsMessageSentToMe(message));
        message->SetFields(mark, mark == kReceivedByName ? Variant("Anna Lindqvist") : Variant(true));
        EXPECT_TRUE(sync->IsMessageSentToMe(message)) << std::hex << mark;
    }
}

TEST_F(SenderAddressTest, AToRecipientWithAnAddressWinsOverCcAndBcc) {
    using olRecipients = std::vector<std::pair<std::string, std::int32_t>>;
    const std::pair<olRecipients, std::string> cases[] = {
        {{{"lena@tallbacka.com", outlook::olCC}, {"maria.sjoberg@nordvik.se", outlook::olTo}}, "maria.sjoberg@nordvik.se"},
        {{{"paul.okafor@brisa-logistics.com", outlook::olBCC}}, "paul.okafor@brisa-logistics.com"},
        {{{"Sales team", outlook::olTo}, {"lena@tallbacka.com", outlook::olCC}, {"johan.ek@nordvik.se", outlook::olCC}},
         "lena@tallbacka.com"},
        {{{"johan.ek@nordvik.se", outlook::olTo}, {"lena@tallbacka.com", outlook::olTo}}, "johan.ek@nordvik.se"},
        {{{"Sales team", outlook::olTo}}, ""},
    };
    for (const auto& [recipients, expected] : cases) EXPECT_EQ(sync->GetSenderAddressFromItem(SentMail(recipients)), expected);
    EXPECT_TRUE(world.Logged("GetSenderAddressFromItem, Candidate: Address=lena@tallbacka.com, Type=2"));
    EXPECT_EQ(sync->GetSenderAddressFromItem(nullptr), "");
}

// A recipient whose address cannot be read while its type and its
// properties can: the MAPI library never fails that way on its own.
class RecipientDouble : public mapi::IRecipient {
public:
    RecipientDouble(std::int32_t type, std::optional<std::string> address, std::string smtpAddress)
        : type_(type), address_(std::move(address)), smtp_(std::move(smtpAddress)) {}
    std::string Address() override {
        if (!address_) throw ComError(static_cast<std::int32_t>(0x80040107u), "ZQOutRed", "Not found");
        return *address_;
    }
    std::int32_t Type() override { return type_; }
    Variant Fields(std::uint32_t tag) override { return tag == mapi::PR_SMTP_ADDRESS ? Variant(smtp_) : Variant(); }
    bool Resolved() override { return true; }
    Ptr<mapi::IAddressEntry> AddressEntry() override { return nullptr; }
    std::string Name() override { return smtp_; }
    void SetType(std::int32_t) override {}
    bool Resolve(bool) override { return true; }
    void SetFields(std::uint32_t, const Variant&) override {}
    Ptr<outlook::IPropertyAccessor> PropertyAccessor() override { return nullptr; }

private:
    std::int32_t type_;
    std::optional<std::string> address_;
    std::string smtp_;
};

class RecipientList : public mapi::IRecipients {
public:
    explicit RecipientList(std::vector<Ptr<mapi::IRecipient>> recipients) : recipients_(std::move(recipients)) {}
    Ptr<mapi::IRecipient> Add(std::string_view) override { return nullptr; }
    Ptr<mapi::IRecipient> AddEx(std::string_view, std::string_view, std::string_view, std::int32_t) override {
        return nullptr;
    }
    void AddMultiple(const std::vector<std::string>&, std::int32_t) override {}
    std::int32_t Count() override { return static_cast<std::int32_t>(recipients_.size()); }
    Ptr<mapi::IRecipient> Item(std::int32_t index) override { return recipients_.at(static_cast<std::size_t>(index - 1)); }
    void Remove(std::int32_t) override {}
    bool ResolveAll(bool) override { return true; }

private:
    std::vector<Ptr<mapi::IRecipient>> recipients_;
};

// A sent message of the MAPI library with these recipients in place of its own.
class SentMessage final : public standin::mapi::Message {
public:
    SentMessage(const Ptr<mapi::IMessage>& sent, Ptr<mapi::IRecipients> recipients)
        : Message(Cast<standin::mapi::Message>(sent)->State()), recipients_(std::move(recipients)) {}
    Ptr<mapi::IRecipients> Recipients() override { return recipients_; }

private:
    Ptr<mapi::IRecipients> recipients_;
};

TEST_F(SenderAddressTest, AFailingAddressReadKeepsTheRecipientsType) {
    const auto message = std::make_shared<SentMessage>(
        SentMail({}), std::make_shared<RecipientList>(std::vector<Ptr<mapi::IRecipient>>{
                          std::make_shared<RecipientDouble>(outlook::olTo, std::nullopt, "lena@tallbacka.com"),
                          std::make_shared<RecipientDouble>(outlook::olTo, "paul.okafor@brisa-logistics.com", "")}));
    // The first is a "To" recipient with a usable address: it ends the walk.
    EXPECT_EQ(sync->GetSenderAddressFromItem(message), "lena@tallbacka.com");
    EXPECT_TRUE(world.Logged("Synchronizer - GetSenderAddressFromItem, Candidate: Address=, Type=1"));
}

TEST_F(SenderAddressTest, MailLookupsSearchOnlyWithAnAddress) {
    const auto item = ImportItem(WriteEml("received.eml", kFromMaria));
    EXPECT_EQ(sync->FindPersonRecordFromMailItem(item)->ID(), Find("person", "lastname", Variant("Sjöberg"))->ID());
    EXPECT_EQ(sync->FindCompanyRecordFromMailItem(item)->ID(), Find("company", "domain", Variant("nordvik.se"))->ID());

    const auto before = Statements();
    const auto noAddress = SentMail({{"Sales team", outlook::olTo}});
    EXPECT_FALSE(sync->FindPersonRecordFromMailItem(noAddress));
    EXPECT_FALSE(sync->FindCompanyRecordFromMailItem(noAddress));
    EXPECT_EQ(Statements(), before);

    // An Outlook mail never saved is saved so that the MAPI library can open it.
    const auto draft = Cast<outlook::IMailItem>(Globals::Outlook()->CreateItem(outlook::olMailItem));
    draft->SetTo("lena@tallbacka.com");
    EXPECT_EQ(sync->GetSenderAddressFromItem(draft), "lena@tallbacka.com");
    EXPECT_FALSE(draft->EntryID().empty());
}

}  // namespace
}  // namespace ostrellix::addin::mailtest

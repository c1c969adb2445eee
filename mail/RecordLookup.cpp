#include "mail/RecordLookup.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IListItem.h"
#include "contracts/kelo/IPool.h"
#include "contracts/kelo/IRecords.h"
#include "contracts/mapi/Constants.h"
#include "contracts/mapi/IContactItem.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IMailItem.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"
#include "sync/MapiView.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("Synchronizer - ");
constexpr std::int32_t kEmailLabel = 23;
constexpr std::int32_t kNameLabel = 1;
constexpr std::int32_t kDomainLabel = 21;

Ptr<kelo::IClass> ClassByLabel(std::int32_t label) { return Globals::Application()->Classes()->FindByLabel(label); }

Variant ToArray(std::vector<Variant> values) { return Variant(VariantArray(std::move(values))); }

}  // namespace

bool RecordLookup::IsMailAddress(std::string_view address) { return address.find('@') != std::string_view::npos; }

Ptr<mapi::IMessage> RecordLookup::MessageOf(const ObjectPtr& item) {
    if (const auto mail = As<outlook::IMailItem>(item)) return MapiView::Open(mail);
    return As<mapi::IMessage>(item);
}

std::pair<Ptr<kelo::IRecord>, std::int32_t> RecordLookup::FindSingle(const Ptr<kelo::IClass>& cls,
                                                                     std::string_view condition, std::int32_t op,
                                                                     const Variant& value) {
    const auto application = Globals::Application();
    const auto filter = Cast<kelo::IFilter>(application->CreateObject("QVR.Filter"));
    filter->Add(condition, op, value);
    const auto records = Cast<kelo::IRecords>(application->CreateObject("QVR.Records"));
    records->Open(cls, filter, {}, 2);
    const std::int32_t count = records->Count();
    return {count == 1 ? records->Item(1) : nullptr, count};
}

Ptr<kelo::IRecord> RecordLookup::FindRecordFromEmail(std::string_view address, const Ptr<kelo::IClass>& searchClass) {
    if (!searchClass) return nullptr;
    const auto field = searchClass->Fields()->FindByLabel(kEmailLabel);
    if (!field || address.empty()) return nullptr;
    const auto [record, count] = FindSingle(searchClass, field->Name(), kelo::op::Equal, Variant(address));
    std::string line = "FindRecordFromEmail - EmailField: " + field->Name() + ", Address: " + std::string(address);
    if (count == 0) line += " - No match";
    else if (count == 1) line += " - Matched";
    else line += " - Ambigious matches (" + std::to_string(count) + ")";
    Log(line);
    return record;
}

Ptr<kelo::IRecord> RecordLookup::FindCompanyRecordFromEmail(std::string_view address) {
    const auto at = address.find('@');
    const std::string domain(at == std::string_view::npos ? address : address.substr(at + 1));
    const auto company = ClassByLabel(kelo::classlabel::Company);
    if (!company) return nullptr;

    Ptr<kelo::IField> domainField, personsRelation, personEmail;
    const auto fields = company->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (field->Label() == kDomainLabel) domainField = field;
        if (field->Type() == kelo::fieldtype::RelationToMany) {
            const auto counterpart = field->Counterpart();
            const auto persons = counterpart ? counterpart->Class() : nullptr;
            if (persons && persons->Label() == kelo::classlabel::Person) {
                personsRelation = field;
                personEmail = persons->Fields()->FindByLabel(kEmailLabel);
            }
        }
    }
    const bool havePath = personsRelation && personEmail;
    const std::string path = havePath ? personsRelation->Name() + "." + personEmail->Name() : std::string();

    Ptr<kelo::IRecord> record;
    // A company with a person of exactly this address; one whose domain is
    // the address's; one with any person at that domain.
    if (havePath && !address.empty()) record = FindSingle(company, path, kelo::op::Equal, Variant(address)).first;
    if (!record && domainField && !domain.empty()) {
        record = FindSingle(company, domainField->Name(), kelo::op::Contains, Variant(domain)).first;
    }
    if (!record && havePath && !domain.empty()) {
        record = FindSingle(company, path, kelo::op::Contains, Variant("@" + domain)).first;
    }
    return record;
}

Ptr<kelo::IRecord> RecordLookup::FindCompanyRecordFromName(std::string_view companyName) {
    const auto company = ClassByLabel(kelo::classlabel::Company);
    const auto nameField = company ? company->Fields()->FindByLabel(kNameLabel) : nullptr;
    if (!nameField || companyName.empty()) return nullptr;
    return FindSingle(company, nameField->Name(), kelo::op::Equal, Variant(companyName)).first;
}

Ptr<kelo::IRecord> RecordLookup::FindCompanyRecordFromContactItem(const Ptr<outlook::IContactItem>& item) {
    const auto contact = MapiView::OpenAs<mapi::IContactItem>(item);
    Ptr<kelo::IRecord> record;
    if (const std::string name = contact->CompanyName(); !name.empty()) record = FindCompanyRecordFromName(name);
    if (const std::string email = contact->Email1Address(); !record && !email.empty()) {
        record = FindCompanyRecordFromEmail(email);
    }
    return record;
}

Ptr<kelo::IRecord> RecordLookup::FindPersonRecordFromContactItem(const Ptr<outlook::IContactItem>& item) {
    const auto contact = MapiView::OpenAs<mapi::IContactItem>(item);
    const std::string email = contact->Email1Address();
    if (email.empty()) return nullptr;
    return FindRecordFromEmail(email, ClassByLabel(kelo::classlabel::Person));
}

bool RecordLookup::IsMessageSentToMe(const Ptr<mapi::IMessage>& message) {
    bool toMe = false;
    IgnoreErrors([&] { toMe = !message->ReceivedByName().empty(); });
    if (!toMe) IgnoreErrors([&] { toMe = message->Fields(mapi::PR_MESSAGE_TO_ME).ToBoolean(); });
    if (!toMe) IgnoreErrors([&] { toMe = message->Fields(mapi::PR_MESSAGE_CC_ME).ToBoolean(); });
    return toMe;
}

std::string RecordLookup::GetSenderAddressFromItem(const ObjectPtr& item) {
    std::string address;
    const auto message = MessageOf(item);
    if (!message) return address;
    if (IsMessageSentToMe(message)) {
        IgnoreErrors([&] { address = Must(message->Sender()).SMTPAddress(); });
        Log("GetSenderAddressFromItem, SentToMe: Address=" + address);
        return address;
    }
    Ptr<mapi::IRecipients> recipients;
    IgnoreErrors([&] { recipients = message->Recipients(); });
    for (std::int32_t i = 1; recipients && i <= recipients->Count(); ++i) {
        // Each read is a step of its own: one that fails leaves the others.
        Ptr<mapi::IRecipient> recipient;
        std::int32_t type = 0;
        std::string recipientAddress;
        IgnoreErrors([&] { recipient = recipients->Item(i); });
        IgnoreErrors([&] { recipientAddress = Must(recipient).Address(); });
        IgnoreErrors([&] { type = Must(recipient).Type(); });
        Log("GetSenderAddressFromItem, Candidate: Address=" + recipientAddress + ", Type=" + std::to_string(type));
        if (!recipient || (type != outlook::olTo && IsMailAddress(address))) continue;

        IgnoreErrors([&] {
            if (!recipient->Resolved()) recipient->Resolve(false);
        });
        std::string candidate;
        IgnoreErrors([&] {
            if (const auto entry = recipient->AddressEntry()) candidate = entry->SMTPAddress();
        });
        if (!IsMailAddress(candidate)) IgnoreErrors([&] { candidate = recipient->Fields(mapi::PR_SMTP_ADDRESS).ToString(); });
        if (!IsMailAddress(candidate)) candidate = recipientAddress;
        if (IsMailAddress(candidate)) {
            address = candidate;
            // A usable "To" address ends the search; Cc and Bcc only fill in.
            if (type == outlook::olTo) break;
        }
    }
    Log("GetSenderAddressFromItem, SentToOther: Address=" + address);
    return address;
}

Ptr<kelo::IRecord> RecordLookup::FindRecordFromMailItem(const ObjectPtr& item, const Ptr<kelo::IClass>& searchClass) {
    const std::string address = GetSenderAddressFromItem(item);
    return IsMailAddress(address) ? FindRecordFromEmail(address, searchClass) : nullptr;
}

Ptr<kelo::IRecord> RecordLookup::FindCompanyRecordFromMailItem(const ObjectPtr& item) {
    const std::string address = GetSenderAddressFromItem(item);
    return IsMailAddress(address) ? FindCompanyRecordFromEmail(address) : nullptr;
}

Ptr<kelo::IRecord> RecordLookup::GetRecordFromContext(const ObjectPtr& context) {
    if (!context) return nullptr;
    Ptr<kelo::IRecord> record = As<kelo::IRecord>(context);
    Ptr<kelo::IInspector> inspector = As<kelo::IInspector>(context);
    Ptr<kelo::IListItem> item = As<kelo::IListItem>(context);
    if (const auto explorer = As<kelo::IExplorer>(context)) {
        inspector = explorer->Inspector();
        // A person list's card may show another record: the active person is meant.
        if (!inspector || explorer->Class()->Label() == kelo::classlabel::Person) item = explorer->ActiveItem();
    }
    if (!record && item) record = item->Record();
    if (!record && inspector) record = inspector->Record();
    if (!record) return nullptr;

    // Callers change what they get: never the window's own record. One not
    // stored yet has no identity to load, and the data engine says so.
    auto copy = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
    copy->Load(record->Class(), record->ID());
    return copy;
}

std::pair<Ptr<kelo::IRecord>, Ptr<kelo::IRecord>> RecordLookup::FindCompanyAndPersonFromLink(
    const Ptr<kelo::IRecord>& record) {
    Ptr<kelo::IRecord> company, person;
    if (!record) return {company, person};
    const std::int32_t label = record->Class()->Label();
    if (label == kelo::classlabel::Company) company = record;
    if (label == kelo::classlabel::Person) person = record;
    if (person && !company) {
        const auto fields = person->Class()->Fields();
        for (std::int32_t i = 1; i <= fields->Count(); ++i) {
            const auto field = fields->Item(i);
            if (field->Type() != kelo::fieldtype::RelationToOne) continue;
            const auto counterpart = field->Counterpart();
            if (counterpart && counterpart->Class()->Label() == kelo::classlabel::Company) {
                company = person->Linked(field->Name());
                break;
            }
        }
    }
    return {company, person};
}

void RecordLookup::FindRecipientsFromContext(Variant& recipients, const ObjectPtr& context) {
    if (const auto explorer = As<kelo::IExplorer>(context)) FindRecipientsFromExplorer(recipients, explorer);
    else if (const auto inspector = As<kelo::IInspector>(context)) FindRecipientsFromInspector(recipients, inspector);
    else if (const auto record = As<kelo::IRecord>(context)) FindRecipientsFromRecord(recipients, record);
}

void RecordLookup::FindRecipientsFromInspector(Variant& recipients, const Ptr<kelo::IInspector>& inspector) {
    FindRecipientsFromRecord(recipients, inspector->Record());
}

std::optional<std::string> RecordLookup::EmailPath(kelo::IClass& cls) {
    const auto fields = cls.Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (field->Type() != kelo::fieldtype::RelationToOne) continue;
        const auto counterpart = field->Counterpart();
        if (!counterpart) continue;
        if (const auto email = counterpart->Class()->Fields()->FindByLabel(kEmailLabel)) {
            return field->Name() + "." + email->Name();
        }
    }
    return std::nullopt;
}

void RecordLookup::FindRecipientsFromRecord(Variant& recipients, const Ptr<kelo::IRecord>& record) {
    if (!record) return;
    const auto cls = record->Class();
    std::string address;
    if (const auto email = cls->Fields()->FindByLabel(kEmailLabel)) {
        address = record->Text(email->Name());
    } else if (const auto path = EmailPath(*cls)) {
        const auto application = Globals::Application();
        const auto pool = Cast<kelo::IPool>(application->CreateObject("QVR.Pool"));
        pool->Add(record->ID());
        const auto records = Cast<kelo::IRecords>(application->CreateObject("QVR.Records"));
        records->OpenPool(cls, pool, {*path}, 2);
        if (records->Count() == 1) address = records->Item(1)->Text(*path);
    }
    if (!address.empty()) recipients = ToArray({Variant(address)});
}

void RecordLookup::FindRecipientsFromExplorer(Variant& recipients, const Ptr<kelo::IExplorer>& explorer) {
    const auto selection = explorer->Selection();
    if (!selection || selection->Count() == 0) return;
    const auto cls = explorer->Class();
    std::vector<Variant> addresses;
    if (const auto email = cls->Fields()->FindByLabel(kEmailLabel)) {
        for (std::int32_t i = 1; i <= selection->Count(); ++i) {
            std::string address = Must(selection->Item(i)->Record()).Text(email->Name());
            if (!address.empty()) addresses.emplace_back(std::move(address));
        }
    } else if (const auto path = EmailPath(*cls)) {
        const auto records = Cast<kelo::IRecords>(Globals::Application()->CreateObject("QVR.Records"));
        records->LoadFromSelection(explorer, {*path});
        for (std::int32_t i = 1; i <= records->Count(); ++i) {
            std::string address = records->Item(i)->Text(*path);
            if (!address.empty()) addresses.emplace_back(std::move(address));
        }
    }
    if (!addresses.empty()) recipients = ToArray(std::move(addresses));
}

}  // namespace ostrellix::addin

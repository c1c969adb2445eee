#include "mail/MailRecordFiler.h"

#include <cstdio>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/mapi/Constants.h"
#include "contracts/mapi/IMessage.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "mail/RecordLinker.h"
#include "mail/RecordLookup.h"
#include "runtime/ErrorHandling.h"
#include "sync/FieldValues.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("Synchronizer - ");

// The fields of a document class by their roles in a filed mail: the
// first field that qualifies takes each role.
struct MailFields {
    Ptr<kelo::IField> document, contact, comment, sent, received, body, coworker, person, company;

    static MailFields Of(kelo::IClass& cls) {
        MailFields roles;
        const auto take = [](Ptr<kelo::IField>& role, const Ptr<kelo::IField>& field) {
            if (!role) role = field;
        };
        const auto fields = cls.Fields();
        for (std::int32_t i = 1; i <= fields->Count(); ++i) {
            const auto field = fields->Item(i);
            const std::int32_t type = field->Type(), label = field->Label();
            if (type == kelo::fieldtype::Document) {
                take(roles.document, field);
            } else if (type == kelo::fieldtype::RelationToOne) {
                if (FieldValues::IsRelationTo(*field, kelo::classlabel::Coworker)) take(roles.coworker, field);
                if (FieldValues::IsRelationTo(*field, kelo::classlabel::Person)) take(roles.person, field);
                if (FieldValues::IsRelationTo(*field, kelo::classlabel::Company)) take(roles.company, field);
            } else if (label == 1 && (type == kelo::fieldtype::Text || type == kelo::fieldtype::Memo)) {
                take(roles.contact, field);
            } else if (label == 3) {
                take(roles.comment, field);
            } else if (label == 28) {
                take(roles.sent, field);
            } else if (label == 27) {
                take(roles.received, field);
            } else if (label == 8) {
                take(roles.body, field);
            }
        }
        return roles;
    }

    std::string Describe() const {
        std::string text = "Matched fields:";
        const std::pair<const char*, const Ptr<kelo::IField>*> roles[] = {
            {"Document: ", &document}, {"Contact: ", &contact}, {"Comment: ", &comment},
            {"Sent: ", &sent},         {"Received: ", &received}, {"Body: ", &body},
            {"Coworker: ", &coworker}, {"Person: ", &person},   {"Company: ", &company}};
        for (const auto& [word, field] : roles) {
            if (*field) text += "\r\n\t" + std::string(word) + (*field)->Name();
        }
        return text;
    }
};

bool IsNull(kelo::IRecord& record, const Ptr<kelo::IField>& field) {
    const Variant value = record.Value(field->Name());
    return value.IsNull() || value.IsEmpty();
}

std::string Unquoted(std::string name) {
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'') return name.substr(1, name.size() - 2);
    return name;
}

std::string PersonText(kelo::IRecord& person) {
    return std::to_string(person.ID()) + " (" + person.Descriptive() + ")";
}

}  // namespace

void MailRecordFiler::UpdateRecordFromMailItem(const Ptr<kelo::IRecord>& record, const ObjectPtr& item,
                                               const ObjectPtr& context) {
    if (!item) return;
    const auto message = RecordLookup::MessageOf(item);
    if (!message) Tools::RaiseError(Tools::GetText("InternalError"));

    const MailFields roles = MailFields::Of(*record->Class());
    Log("UpdateRecordFromMailItem - " + roles.Describe());

    const std::string path = Tools::MakeTempFileName("msg");
    PassOn(
        [&] {
            const auto application = Globals::Application();
            message->SaveAs(path, mapi::olMSG);
            if (roles.document) {
                const auto document = Cast<kelo::IDocument>(application->CreateObject("QVR.Document"));
                document->LoadFromFile(path);
                document->SetName(Tools::FitDocumentName(document, message->Subject()));
                record->SetValue(roles.document->Name(), Variant(document));
            }
            if (roles.comment) {
                record->SetValue(roles.comment->Name(), FieldValues::CutToMaxLength(message->Subject(), *roles.comment));
            }
            if (roles.body) {
                record->SetValue(roles.body->Name(), FieldValues::CutToMaxLength(message->Body(), *roles.body));
            }
            if (roles.received) record->SetValue(roles.received->Name(), FieldValues::DateOrNull(message->ReceivedTime()));
            if (roles.sent) record->SetValue(roles.sent->Name(), FieldValues::DateOrNull(message->SentOn()));
            if (roles.coworker && IsNull(*record, roles.coworker)) {
                const auto user = application->ActiveUser();
                if (const auto coworker = user ? user->Record() : nullptr) record->SetValue(roles.coworker->Name(), coworker->ID());
            }

            // The person of the other party: of the Person field's class, else the person class.
            Ptr<kelo::IClass> personClass;
            if (roles.person) personClass = Must(roles.person->Counterpart()).Class();
            if (!personClass) personClass = application->Classes()->FindByLabel(kelo::classlabel::Person);
            Ptr<kelo::IRecord> person = RecordLookup::FindRecordFromMailItem(message, personClass);
            Log(person ? "UpdateRecordFromMailItem - Matched person by message: " + PersonText(*person)
                       : std::string("UpdateRecordFromMailItem - No person matched by message."));
            if (roles.person && person && IsNull(*record, roles.person)) record->SetValue(roles.person->Name(), person->ID());

            std::string contact;
            if (person) contact = person->Descriptive();
            else contact = Unquoted(RecordLookup::IsMessageSentToMe(message) ? message->SenderName() : message->To());
            Log("UpdateRecordFromMailItem - Contact: " + contact);
            if (roles.contact) record->SetValue(roles.contact->Name(), FieldValues::CutToMaxLength(contact, *roles.contact));

            // A list window on its own is no context to link to.
            ObjectPtr linkContext = context;
            if (const auto explorer = As<kelo::IExplorer>(context); explorer && !explorer->ParentInspector()) {
                linkContext = nullptr;
            }
            RecordLinker::LinkRecordToContext(record, linkContext);

            if (!person && roles.person && !IsNull(*record, roles.person)) {
                person = record->Linked(roles.person->Name());
                if (person) Log("UpdateRecordFromMailItem - Matched person by context: " + PersonText(*person));
            }
            if (roles.company && person && IsNull(*record, roles.company) &&
                RecordLinker::CopyRelationFromRecord(record, person, roles.company)) {
                Log("UpdateRecordFromMailItem - Matched company by person");
            }
        },
        [&] { std::remove(path.c_str()); });
    IgnoreErrors([&] { std::remove(path.c_str()); });
}

void MailRecordFiler::UpdateRecordFromFile(const Ptr<kelo::IRecord>& record, std::string_view filename) {
    const auto field = record->Class()->Fields()->FindByType(kelo::fieldtype::Document);
    if (!field) return;
    const auto document = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
    document->LoadFromFile(filename);
    record->SetValue(field->Name(), Variant(document));
}

void MailRecordFiler::InitializeMailItemFromRecord(const Ptr<outlook::IMailItem>& item,
                                                   const Ptr<kelo::IRecord>& record) {
    const auto field = record->Class()->Fields()->FindByType(kelo::fieldtype::EMail);
    if (field) item->SetTo(record->Text(field->Name()));
}

}  // namespace ostrellix::addin

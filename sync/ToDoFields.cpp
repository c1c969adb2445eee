#include "sync/ToDoFields.h"

#include "contracts/kelo/Codes.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"
#include "sync/FieldValues.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

int DateKindOf(std::int32_t type) {
    switch (type) {
        case kelo::fieldtype::DateTime: return ToDoFields::DateTime;
        case kelo::fieldtype::Date: return ToDoFields::DateOnly;
        case kelo::fieldtype::Time: return ToDoFields::TimeOnly;
        default: return -1;
    }
}

}  // namespace

ToDoFields ToDoFields::Of(kelo::IClass& cls) {
    ToDoFields roles;
    const auto fields = cls.Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        auto field = fields->Item(i);
        const int dateKind = DateKindOf(field->Type());
        switch (field->Label()) {
            case 10: roles.responsible = field; break;
            case 1: roles.contact = field; break;
            case 4: if (dateKind >= 0) roles.start[static_cast<std::size_t>(dateKind)] = field; break;
            case 5: if (dateKind >= 0) roles.end[static_cast<std::size_t>(dateKind)] = field; break;
            case 3: roles.subject = field; break;
            case 8: roles.body = field; break;
            case 29: roles.location = field; break;
            case 7: roles.complete = field; break;
            default: break;
        }
    }
    return roles;
}

void ToDoFields::WriteResponsible(kelo::IRecord& record, std::string_view userName) const {
    if (!responsible || !FieldValues::IsRelationTo(*responsible, kelo::classlabel::Coworker)) return;
    if (const auto coworker = Globals::Synchronizer()->CoworkerOfUser(userName)) {
        record.SetValue(responsible->Name(), *coworker);
    }
}

void ToDoFields::WriteContact(kelo::IRecord& record, mapi::IMessage& view) const {
    if (!contact) return;
    IgnoreErrors([&] {
        const auto property = view.UserProperties()->Find("KeloContact");
        record.SetValue(contact->Name(), property ? property->Value().ToString() : std::string());
    });
}

void ToDoFields::WriteSubjectAndBody(kelo::IRecord& record, mapi::IMessage& view) const {
    if (subject) {
        IgnoreErrors([&] { record.SetValue(subject->Name(), FieldValues::CutToMaxLength(view.Subject(), *subject)); });
    }
    if (body) IgnoreErrors([&] { record.SetValue(body->Name(), FieldValues::CutToMaxLength(view.Body(), *body)); });
}

void ToDoFields::ReadBodySubjectAndContact(kelo::IRecord& record, const Ptr<outlook::IItem>& item) const {
    if (body) item->SetBody(record.Text(body->Name()));
    if (subject) item->SetSubject(record.Text(subject->Name()));
    if (contact) Globals::Synchronizer()->SetItemProperty(item, "KeloContact", record.Text(contact->Name()));
}

}  // namespace ostrellix::addin

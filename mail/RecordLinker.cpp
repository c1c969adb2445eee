#include "mail/RecordLinker.h"

#include "contracts/kelo/Codes.h"
#include "core/Globals.h"

namespace ostrellix::addin {

namespace {

Ptr<kelo::IClass> OtherSide(kelo::IField& field) {
    const auto counterpart = field.Counterpart();
    return counterpart ? counterpart->Class() : nullptr;
}

bool IsNull(kelo::IRecord& record, kelo::IField& field) {
    const Variant value = record.Value(field.Name());
    return value.IsNull() || value.IsEmpty();
}

}  // namespace

bool RecordLinker::CopyRelationFromRecord(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& source,
                                          const Ptr<kelo::IField>& field, Ptr<kelo::IRecord> linked) {
    if (!record || !source || !field || field->Type() != kelo::fieldtype::RelationToOne) return false;
    const auto target = OtherSide(*field);
    if (!target) return false;
    if (!linked) {
        const auto sourceField = source->Class()->Fields()->FindByRelatedField(field);
        if (sourceField) linked = source->Linked(sourceField->Name());
    } else if (linked->Class()->Name() != target->Name()) {
        return false;
    }
    if (!linked) return false;
    record->SetValue(field->Name(), linked->ID());
    return true;
}

bool RecordLinker::LinkRecordByClass(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& target) {
    if (!record || !target) return false;
    const auto field = record->Class()->Fields()->FindByRelatedClass(target->Class());
    return CopyRelationFromRecord(record, target, field, target);
}

void RecordLinker::LinkRecordToContext(const Ptr<kelo::IRecord>& record, const ObjectPtr& context) {
    if (const auto inspector = As<kelo::IInspector>(context)) LinkRecordToInspector(record, inspector);
    else if (const auto explorer = As<kelo::IExplorer>(context)) LinkRecordToExplorer(record, explorer);
    else if (const auto link = As<kelo::IRecord>(context)) LinkRecordToRecord(record, link);
}

void RecordLinker::LinkRecordToExplorer(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IExplorer>& explorer) {
    const auto active = explorer->ActiveItem();
    if (active && LinkRecordByClass(record, active->Record())) return;
    if (const auto inspector = explorer->Inspector()) LinkRecordToInspector(record, inspector);
}

void RecordLinker::LinkRecordToInspector(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IInspector>& inspector) {
    const auto shown = inspector->Record();
    if (LinkRecordByClass(record, shown)) return;
    // Not linkable to what is shown: to the company that record belongs to.
    const auto company = Globals::Application()->Classes()->FindByLabel(kelo::classlabel::Company);
    if (!company || !record) return;
    CopyRelationFromRecord(record, shown, record->Class()->Fields()->FindByRelatedClass(company));
}

void RecordLinker::LinkRecordToCompany(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& company) {
    if (record && company && company->Class()->Label() == kelo::classlabel::Company) LinkRecordByClass(record, company);
}

void RecordLinker::LinkRecordToPerson(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& person) {
    if (!record || !person || person->Class()->Label() != kelo::classlabel::Person) return;
    const auto fields = record->Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (field->Label() != 1) continue;
        const std::int32_t type = field->Type();
        const auto other = OtherSide(*field);
        if (type == kelo::fieldtype::RelationToOne && other && other->Label() == kelo::classlabel::Person) {
            record->SetValue(field->Name(), person->ID());
            return;
        }
        if (type == kelo::fieldtype::Text || type == kelo::fieldtype::Memo) {
            record->SetValue(field->Name(), person->Descriptive());
            return;
        }
    }
}

void RecordLinker::LinkRecordToRecord(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& link) {
    if (!record || !link) return;
    if (link->Class()->Label() != kelo::classlabel::Coworker) LinkRecordByClass(record, link);
    const auto fields = record->Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (field->Excluded() || field->Type() != kelo::fieldtype::RelationToOne) continue;
        const auto other = OtherSide(*field);
        if (!other || other->Label() == kelo::classlabel::Coworker) continue;
        if (IsNull(*record, *field)) CopyRelationFromRecord(record, link, field);
    }
}

}  // namespace ostrellix::addin

#include "standins/kelo/engine/Record.h"

#include <cstdio>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Document.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/FieldCodec.h"
#include "standins/kelo/engine/RecordStore.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/kelo/engine/TextMerge.h"

namespace ostrellix::standin::kelo {

namespace {

namespace fieldtype = ostrellix::kelo::fieldtype;
namespace recordstate = ostrellix::kelo::recordstate;

std::string Describe(const Class& cls, std::int32_t id) { return "the " + cls.Spec().name + " " + std::to_string(id); }

}  // namespace

Record::Record(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

Ptr<Record> Record::FromRow(std::shared_ptr<Engine> engine, Ptr<kelo::Class> cls, RecordRow row) {
    auto record = std::make_shared<Record>(std::move(engine));
    record->class_ = std::move(cls);
    record->Assign(std::move(row));
    return record;
}

void Record::Assign(RecordRow row) {
    id_ = row.id;
    timestamp_ = row.timestamp;
    values_ = std::move(row.values);
    paths_ = std::move(row.paths);
    changed_.clear();
    unwritten_.clear();
    state_ = recordstate::Loaded;
}

void Record::New(const Ptr<ostrellix::kelo::IClass>& cls) {
    class_ = engine_->Metadata().Own(cls);
    id_ = 0;
    timestamp_ = Date();
    values_.Clear();
    changed_.clear();
    unwritten_.clear();
    paths_.clear();
    state_ = recordstate::New;
}

void Record::Load(const Ptr<ostrellix::kelo::IClass>& cls, std::int32_t id) {
    Ptr<kelo::Class> own = engine_->Metadata().Own(cls);
    std::optional<RecordRow> row = RecordStore(*engine_).Read(own, id);
    if (!row) {
        RaiseEngineError(engineerror::RecordNotFound,
                         "There is no " + own->Spec().name + " with id " + std::to_string(id));
    }
    class_ = std::move(own);
    Assign(std::move(*row));
}

std::int32_t Record::State() { return state_ | (HasChanges() ? recordstate::Changed : 0); }

void Record::RequireUsable() const {
    if (!class_) {
        RaiseEngineError(engineerror::NotUsable, "The record object holds no record: it was neither made new nor loaded");
    }
}

FieldPath Record::Resolve(std::string_view name) const {
    RequireUsable();
    return FieldPath::Resolve(class_, name);
}

Variant Record::Value(std::string_view field) { return ValueOf(Resolve(field)); }
std::string Record::Text(std::string_view field) { return TextOf(Resolve(field)); }

Variant Record::ValueOf(const FieldPath& path) {
    switch (path.kind) {
        case FieldPath::Kind::Id: return Variant(id_);
        case FieldPath::Kind::Timestamp: return id_ > 0 ? Variant(timestamp_) : Variant::Null();
        case FieldPath::Kind::Descriptive: return Variant(Descriptive());
        case FieldPath::Kind::Field: return FieldValue(path.field);
        case FieldPath::Kind::Path: break;
    }
    for (const auto& [name, value] : paths_) {
        if (text::EqualsIgnoreCase(name, path.text)) return value;
    }
    if (path.field->IsRelationToMany()) {
        RaiseEngineError(engineerror::BadPath, "The relation path " + Quoted(path.text) +
                                                   " leads to many records; its value is not one value");
    }
    const Ptr<Record> linked = LinkedRecord(path.field);
    if (!linked) return Variant::Null();
    return linked->ValueOf(FieldPath::Resolve(path.TargetClass(), text::Split(path.text, ".")[1]));
}

std::string Record::TextOf(const FieldPath& path) {
    switch (path.kind) {
        case FieldPath::Kind::Id: return std::to_string(id_);
        case FieldPath::Kind::Timestamp: return id_ > 0 ? timestamp_.ToString() : std::string();
        case FieldPath::Kind::Descriptive: return Descriptive();
        case FieldPath::Kind::Field: return FieldText(path.field, FieldValue(path.field));
        case FieldPath::Kind::Path: break;
    }
    const std::string targetName = text::Split(path.text, ".")[1];
    if (path.field->IsRelationToMany()) {
        std::string joined;
        for (const auto& record : LinkingRecords(path.field)) {
            const std::string part = record->Text(targetName);
            if (part.empty()) continue;
            joined += (joined.empty() ? "" : ", ") + part;
        }
        return joined;
    }
    if (path.targetKind == FieldPath::Kind::Field && !path.target->IsRelationToOne() && !path.target->IsDocument()) {
        for (const auto& [name, value] : paths_) {
            if (text::EqualsIgnoreCase(name, path.text)) return FieldText(path.target, value);
        }
    }
    const Ptr<Record> linked = LinkedRecord(path.field);
    return linked ? linked->Text(targetName) : std::string();
}

Variant Record::FieldValue(const Ptr<Field>& field) {
    if (field->IsRelationToMany()) {
        VariantArray ids;
        for (const auto& record : LinkingRecords(field)) ids.emplace_back(record->ID());
        return Variant(std::move(ids));
    }
    if (field->IsDocument()) {
        const Ptr<Document> document = DocumentIn(field);
        return document ? Variant(document) : Variant::Null();
    }
    const Variant* found = values_.Find(field->Id());
    return found ? *found : FieldCodec::FromColumn(*field, SqlValue{});
}

std::string Record::FieldText(const Ptr<Field>& field, const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return {};
    switch (field->Spec().type) {
        case fieldtype::RelationToOne: {
            const Ptr<Record> linked = LinkedRecord(field);
            return linked ? linked->Descriptive() : std::string();
        }
        case fieldtype::RelationToMany: {
            std::string joined;
            for (const auto& record : LinkingRecords(field)) {
                joined += (joined.empty() ? "" : ", ") + record->Descriptive();
            }
            return joined;
        }
        case fieldtype::Document: return value.ToObjectAs<Document>()->DisplayName();
        case fieldtype::Time: {
            const Date time = value.ToDate();
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", time.Hour(), time.Minute(), time.Second());
            return buffer;
        }
        default: return value.ToString();
    }
}

void Record::SetValue(std::string_view name, const Variant& value) {
    const FieldPath path = Resolve(name);
    if (path.kind == FieldPath::Kind::Path) {
        RaiseEngineError(engineerror::ReadOnly, "The relation path " + Quoted(path.text) +
                                                    " cannot be set; set the field of the linked record instead");
    }
    if (path.kind != FieldPath::Kind::Field) {
        RaiseEngineError(engineerror::ReadOnly, Quoted(path.text) + " of a record is kept by the data engine");
    }
    const Ptr<Field>& field = path.field;
    const std::string fieldName = Quoted(field->Spec().name) + " of " + Quoted(class_->Spec().name);
    Variant stored;
    if (field->IsRelationToMany()) {
        RaiseEngineError(engineerror::ReadOnly, "The relation " + fieldName +
                                                    " lists the records that link here; set their relation instead");
    } else if (field->IsDocument()) {
        if (value.IsNull() || value.IsEmpty() || value.IsNothing()) {
            stored = Variant::Null();
        } else {
            const Ptr<Document> document = value.IsObject() ? value.ToObjectAs<Document>() : nullptr;
            if (!document) {
                throw ComError(errors::TypeMismatch, kEngineSource,
                               "Type mismatch: the field " + fieldName + " takes a document of this database");
            }
            // A stored document belongs to one record: another record gets a copy.
            const bool same = FieldValue(field).IsObject() && SameObject(FieldValue(field).ToObject(), document);
            stored = Variant(document->ID() > 0 && !same ? document->Copy() : document);
        }
    } else if (field->IsRelationToOne() && value.IsObject() && !value.IsNothing()) {
        const Ptr<ostrellix::kelo::IRecord> linked = value.ToObjectAs<ostrellix::kelo::IRecord>();
        if (!linked || !SameObject(linked->Class(), field->RelatedClass())) {
            throw ComError(errors::TypeMismatch, kEngineSource,
                           "Type mismatch: the relation " + fieldName + " takes a record of " +
                               Quoted(field->RelatedClass()->Spec().name));
        }
        if (linked->ID() <= 0) {
            RaiseEngineError(engineerror::NotUsable,
                             "The relation " + fieldName + " cannot link a record that was never stored");
        }
        stored = Variant(linked->ID());
    } else {
        stored = FieldCodec::FromColumn(*field, FieldCodec::ToColumn(*field, value.IsNothing() ? Variant::Null() : value));
        if (field->IsRelationToOne() && !stored.IsNull() &&
            !RecordStore(*engine_).Exists(*field->RelatedClass(), stored.ToLong())) {
            RaiseEngineError(engineerror::RecordNotFound, "The relation " + fieldName + " cannot link " +
                                                              Describe(*field->RelatedClass(), stored.ToLong()) +
                                                              ": there is no such record");
        }
    }
    if (KeepsStoredValue(*field, stored)) unwritten_.insert(field->Id());
    else unwritten_.erase(field->Id());
    values_.Set(field->Id(), stored);
    changed_.insert(field->Id());
}

RecordStore::Values Record::KeptValues() {
    RecordStore::Values kept;
    for (std::int32_t fieldId : unwritten_) {
        const Ptr<Field> field = FieldById(fieldId);
        kept.emplace_back(field, FieldCodec::ToColumn(*field, *values_.Find(fieldId)));
    }
    return kept;
}

bool Record::KeepsStoredValue(Field& field, const Variant& value) const {
    if (state_ != recordstate::Loaded || field.IsDocument()) return false;
    // Once set to another value, the value held is no longer the stored one.
    if (changed_.contains(field.Id()) && !unwritten_.contains(field.Id())) return false;
    const Variant* held = values_.Find(field.Id());
    return held && FieldCodec::ToColumn(field, *held) == FieldCodec::ToColumn(field, value);
}

Ptr<Record> Record::LinkedRecord(const Ptr<Field>& relation) {
    const Variant id = FieldValue(relation);
    if (id.IsNull()) return nullptr;
    auto linked = std::make_shared<Record>(engine_);
    linked->Load(relation->RelatedClass(), id.ToLong());
    return linked;
}

std::vector<Ptr<Record>> Record::LinkingRecords(const Ptr<Field>& relation) {
    if (id_ <= 0) return {};
    const Ptr<Field> counterpart = relation->CounterpartField();
    std::vector<Ptr<Record>> records;
    for (RecordRow& row : RecordStore(*engine_).Select(counterpart->Owner(),
                                                       {"r." + counterpart->Column() + " = ?", {std::int64_t(id_)}}, {}, 0)) {
        records.push_back(FromRow(engine_, counterpart->Owner(), std::move(row)));
    }
    return records;
}

Ptr<ostrellix::kelo::IRecord> Record::Linked(std::string_view name) {
    const FieldPath path = Resolve(name);
    if (path.kind != FieldPath::Kind::Field || !path.field->IsRelationToOne()) {
        RaiseEngineError(engineerror::BadPath, Quoted(path.text) + " of " + Quoted(class_->Spec().name) +
                                                   " is not a relation to one record");
    }
    return LinkedRecord(path.field);
}

Ptr<Field> Record::FieldById(std::int32_t id) const {
    for (const auto& field : class_->FieldList()) {
        if (field->Id() == id) return field;
    }
    RaiseEngineError(engineerror::UnknownField, "The class " + Quoted(class_->Spec().name) + " lost a field");
}

Ptr<Document> Record::DocumentIn(const Ptr<Field>& field) {
    Variant* found = values_.Find(field->Id());
    if (!found || found->IsNull()) return nullptr;
    if (found->IsObject()) return found->ToObjectAs<Document>();
    Ptr<Document> document = Document::Stored(engine_, found->ToLong());
    *found = Variant(document);  // the same object on every read, so that its edits are kept
    return document;
}

std::vector<std::pair<Ptr<Field>, Ptr<Document>>> Record::DirtyDocuments() {
    std::vector<std::pair<Ptr<Field>, Ptr<Document>>> dirty;
    if (!class_) return dirty;
    for (const auto& field : class_->FieldList()) {
        if (!field->IsDocument()) continue;
        const Variant* found = values_.Find(field->Id());
        if (!found || !found->IsObject()) continue;
        const Ptr<Document> document = found->ToObjectAs<Document>();
        if (document->Dirty() || document->ID() == 0) dirty.emplace_back(field, document);
    }
    return dirty;
}

std::string Record::Descriptive() {
    RequireUsable();
    return TextMerge::Descriptive(class_->Spec().descriptive, *this);
}

std::string Record::Merge(std::string_view text, std::int32_t mode) {
    RequireUsable();
    return TextMerge::Merge(text, mode, *this);
}

bool Record::HasChanges() { return !changed_.empty() || !DirtyDocuments().empty(); }

void Record::Check() {
    RequireUsable();
    for (const auto& field : class_->FieldList()) {
        if (!field->Spec().required) continue;
        const Variant value = FieldValue(field);
        if (value.IsNull() || value.IsEmpty()) {
            RaiseEngineError(engineerror::CheckFailed,
                             "The " + class_->Spec().name + " cannot be stored: the field " +
                                 Quoted(field->Spec().localName) + " (" + field->Spec().name + ") must have a value");
        }
    }
}

void Record::Update() {
    RequireUsable();
    if (state_ == recordstate::Loaded && !HasChanges()) return;
    Check();
    const auto documents = DirtyDocuments();
    RecordStore store(*engine_);
    const RecordStore::Values kept = KeptValues();
    // Every field set holds the value read: unless another writer changed
    // one of them meanwhile, storing would change nothing but the time
    // stamp, and a record's time stamp tells when it changed.
    if (state_ == recordstate::Loaded && documents.empty() && kept.size() == changed_.size() &&
        store.Holds(*class_, id_, kept)) {
        changed_.clear();
        unwritten_.clear();
        return;
    }
    std::vector<std::pair<Ptr<Document>, std::int32_t>> documentIds;
    const auto [id, timestamp] = engine_->Transact([&] {
        RecordStore::Values values;
        for (const auto& [field, document] : documents) {
            const std::int32_t documentId = document->WriteRow();
            documentIds.emplace_back(document, documentId);
            if (document->ID() == 0) values.emplace_back(field, std::int64_t(documentId));
        }
        for (std::int32_t fieldId : changed_) {
            if (unwritten_.contains(fieldId)) continue;
            const Ptr<Field> field = FieldById(fieldId);
            const Variant& value = *values_.Find(fieldId);  // every changed field was set
            if (field->IsDocument() && value.IsObject()) {
                const std::int32_t stored = value.ToObjectAs<Document>()->ID();
                if (stored > 0) values.emplace_back(field, std::int64_t(stored));
                continue;  // a new document took its id above
            }
            values.emplace_back(field, FieldCodec::ToColumn(*field, value));
        }
        if (state_ == recordstate::New) {
            // Yes/no fields read as false until set; store them so, so that filters see the same.
            for (const auto& field : class_->FieldList()) {
                if (field->Spec().type == fieldtype::YesNo && !changed_.contains(field->Id())) {
                    values.emplace_back(field, std::int64_t(0));
                }
            }
        }
        const Date stamp = engine_->NextTimestamp();
        if (state_ == recordstate::New) return std::pair{store.Insert(*class_, values, stamp), stamp};
        store.Update(*class_, id_, values, kept, stamp);
        return std::pair{id_, stamp};
    });
    for (const auto& [document, documentId] : documentIds) document->MarkStored(documentId);
    id_ = id;
    timestamp_ = timestamp;
    state_ = recordstate::Loaded;
    changed_.clear();
    unwritten_.clear();
}

void Record::Probe() {
    RequireUsable();
    if (state_ == recordstate::Loaded && !RecordStore(*engine_).Exists(*class_, id_)) {
        RaiseEngineError(engineerror::RecordNotFound, "The record " + Describe(*class_, id_) + " no longer exists");
    }
}

void Record::Delete() {
    RequireUsable();
    if (state_ != recordstate::Loaded) {
        RaiseEngineError(engineerror::NotUsable, "A record that was never stored cannot be deleted");
    }
    engine_->Transact([&] { RecordStore(*engine_).Delete(*class_, id_); });
    class_ = nullptr;
    id_ = 0;
    state_ = 0;
    values_.Clear();
    changed_.clear();
    unwritten_.clear();
    paths_.clear();
}

}  // namespace ostrellix::standin::kelo

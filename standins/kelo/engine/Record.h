#pragma once

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IRecord.h"
#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/FieldPath.h"
#include "standins/kelo/engine/RecordRow.h"
#include "standins/kelo/engine/RecordStore.h"

namespace ostrellix::standin::kelo {

class Engine;
class Document;

// A record of the data engine ("QVR.Record"): a snapshot of one row that
// the caller edits and stores. Values keep their kinds (FieldCodec);
// relations hold the linked id, documents a Document object. Update stores
// the changed fields and new or changed documents in one transaction and
// advances the time stamp (fields set to the values the database still
// holds are no change); a record that fails the check, or a failing
// statement, leaves the database and the object as they were.
class Record final : public ostrellix::kelo::IRecord {
public:
    explicit Record(std::shared_ptr<Engine> engine);
    static Ptr<Record> FromRow(std::shared_ptr<Engine> engine, Ptr<kelo::Class> cls, RecordRow row);

    void New(const Ptr<ostrellix::kelo::IClass>& cls) override;
    void Load(const Ptr<ostrellix::kelo::IClass>& cls, std::int32_t id) override;
    Ptr<ostrellix::kelo::IClass> Class() override { return class_; }
    std::int32_t ID() override { return id_; }
    std::int32_t State() override;
    Date Timestamp() override { return timestamp_; }
    std::string Text(std::string_view field) override;
    Variant Value(std::string_view field) override;
    void SetValue(std::string_view field, const Variant& value) override;
    Ptr<ostrellix::kelo::IRecord> Linked(std::string_view field) override;
    std::string Descriptive() override;
    std::string Merge(std::string_view text, std::int32_t mode) override;
    bool HasChanges() override;
    void Check() override;
    void Update() override;
    void Probe() override;

    // Removes the record from the database; the object holds no record after.
    void Delete();
    Ptr<kelo::Class> OwnClass() const { return class_; }
    // The value of a resolved name (the text merge resolves names itself).
    Variant ValueOf(const FieldPath& path);
    std::string TextOf(const FieldPath& path);

private:
    void RequireUsable() const;
    void Assign(RecordRow row);
    FieldPath Resolve(std::string_view name) const;
    Variant FieldValue(const Ptr<Field>& field);
    bool KeepsStoredValue(Field& field, const Variant& value) const;
    // The fields set to the values read, as their columns hold them.
    RecordStore::Values KeptValues();
    std::string FieldText(const Ptr<Field>& field, const Variant& value);
    Ptr<Record> LinkedRecord(const Ptr<Field>& relation);
    std::vector<Ptr<Record>> LinkingRecords(const Ptr<Field>& relation);
    Ptr<Field> FieldById(std::int32_t id) const;
    Ptr<Document> DocumentIn(const Ptr<Field>& field);
    std::vector<std::pair<Ptr<Field>, Ptr<Document>>> DirtyDocuments();

    std::shared_ptr<Engine> engine_;
    Ptr<kelo::Class> class_;
    std::int32_t id_ = 0;
    std::int32_t state_ = 0;
    Date timestamp_;
    RecordValues values_;
    std::set<std::int32_t> changed_;
    // Of the changed fields, those set to the value they have stored: Update
    // leaves their columns alone (a column written rewrites its index
    // entries, and a run sets every field it maps, changed or not).
    std::set<std::int32_t> unwritten_;
    std::vector<std::pair<std::string, Variant>> paths_;
};

}  // namespace ostrellix::standin::kelo

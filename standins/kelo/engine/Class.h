#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "contracts/kelo/IClass.h"
#include "standins/kelo/engine/Fields.h"

namespace ostrellix::standin::kelo {

struct FieldPath;

// What a class is made of, for the schema-building API.
struct ClassSpec {
    std::string name;  // an identifier: letters, digits, "_"
    std::string localName;
    std::string localNamePlural;
    std::int32_t label = 0;
    // The descriptive text of a record as a merge text ("<firstname>
    // <lastname>"): codes are replaced by the field texts, empty ones by
    // nothing, and runs of blanks fold into one.
    std::string descriptive;
};

// A record class. Its records live in the table "rec_<id>" with the columns
// id, timestamp and one per field.
class Class final : public ostrellix::kelo::IClass {
public:
    Class(std::int32_t id, ClassSpec spec) : id_(id), spec_(std::move(spec)) {}

    std::string Name() override { return spec_.name; }
    std::string LocalName() override { return spec_.localName; }
    std::string LocalNamePlural() override { return spec_.localNamePlural; }
    std::int32_t Label() override { return spec_.label; }
    Ptr<ostrellix::kelo::IFields> Fields() override { return fields_; }

    std::int32_t Id() const { return id_; }
    const ClassSpec& Spec() const { return spec_; }
    std::string Table() const { return "rec_" + std::to_string(id_); }
    const std::vector<Ptr<Field>>& FieldList() const { return fields_->List(); }
    Ptr<Field> FieldNamed(std::string_view name) const { return fields_->Named(name); }
    void Append(Ptr<Field> field);
    // The fields that have a column, in order, and the SQL that reads them
    // from the table alias "r" (", r.f1, r.f2"): every select of records
    // reads them all.
    const std::vector<Ptr<Field>>& StoredFields() const { return storedFields_; }
    const std::string& StoredColumns() const { return storedColumns_; }

    // The names resolved against this class so far, as they were written
    // (FieldPath keeps them). Fields are only ever added, never under a name
    // already taken, so a name that resolved once resolves the same way for
    // as long as the class lives; names that failed are not kept.
    std::shared_ptr<const FieldPath> KnownPath(std::string_view name) const {
        const auto found = paths_.find(std::string(name));
        return found == paths_.end() ? nullptr : found->second;
    }
    void KeepPath(std::string_view name, std::shared_ptr<const FieldPath> path) const {
        paths_.emplace(std::string(name), std::move(path));
    }

private:
    std::int32_t id_;
    ClassSpec spec_;
    Ptr<kelo::Fields> fields_ = std::make_shared<kelo::Fields>();
    std::vector<Ptr<Field>> storedFields_;
    std::string storedColumns_;
    mutable std::unordered_map<std::string, std::shared_ptr<const FieldPath>> paths_;
};

}  // namespace ostrellix::standin::kelo

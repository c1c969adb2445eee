#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "standins/kelo/engine/Classes.h"

namespace ostrellix::standin::kelo {

class Engine;

// The metadata of a database: its classes and fields, kept in the tables
// kelo_class, kelo_field and kelo_field_attribute and read once when the
// database opens. The schema-building API adds classes, fields and
// relations; each addition is one transaction that also makes the table,
// column and indexes the records need.
class Schema {
public:
    explicit Schema(Engine& engine);

    Ptr<kelo::Classes> All() const { return classes_; }
    Ptr<Class> Find(std::string_view name) const { return classes_->Named(name); }
    Ptr<Class> FindByLabel(std::int32_t label) const { return classes_->Labelled(label); }
    // Raise a clear error when there is no such class.
    Ptr<Class> Require(std::string_view name) const;
    // The engine's own object for a class handed in through the contract;
    // raises for nothing or for a class of another database.
    Ptr<Class> Own(const Ptr<ostrellix::kelo::IClass>& cls) const;
    // Relations to one of any class that lead to `cls`.
    std::vector<Ptr<Field>> RelationsTo(const Class& cls) const;

    Ptr<Class> AddClass(ClassSpec spec);
    // Any field but a relation; raises for a bad name or type code.
    Ptr<Field> AddField(const Ptr<Class>& cls, FieldSpec spec);
    // A relation to one record of `to` in `from`, and its counterpart, a
    // relation to many records of `from` in `to`.
    std::pair<Ptr<Field>, Ptr<Field>> AddRelation(const Ptr<Class>& from, FieldSpec toOne, const Ptr<Class>& to,
                                                  FieldSpec toMany);

private:
    void Load();
    void CheckName(const Class* cls, const std::string& name) const;
    Ptr<Field> Insert(const Ptr<Class>& cls, FieldSpec spec, const Ptr<Field>& counterpart);
    void AddColumn(const Class& cls, const Field& field);

    Engine& engine_;
    Ptr<kelo::Classes> classes_ = std::make_shared<kelo::Classes>();
};

}  // namespace ostrellix::standin::kelo

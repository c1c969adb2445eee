#include "standins/kelo/engine/Schema.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <cctype>
#include <map>

#include "contracts/kelo/Codes.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/TypedValue.h"

namespace ostrellix::standin::kelo {

namespace {

namespace fieldtype = ostrellix::kelo::fieldtype;

bool IsIdentifier(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    }
    return true;
}

bool IsPlainType(std::int32_t type) {
    switch (type) {
        case fieldtype::Text:
        case fieldtype::LongText:
        case fieldtype::Integer:
        case fieldtype::Number:
        case fieldtype::Time:
        case fieldtype::Date:
        case fieldtype::DateTime:
        case fieldtype::EMail:
        case fieldtype::YesNo:
        case fieldtype::Document:
        case fieldtype::Memo: return true;
        default: return false;
    }
}

std::string ColumnDeclaration(const Field& field) {
    if (field.IsText()) return "TEXT COLLATE KELO_NOCASE";
    if (field.IsRelationToOne()) return "INTEGER REFERENCES " + field.RelatedClass()->Table() + "(id)";
    if (field.IsDocument()) return "INTEGER REFERENCES kelo_document(id)";
    if (field.IsDate() || field.Spec().type == fieldtype::Number) return "REAL";
    return "INTEGER";
}

}  // namespace

Schema::Schema(Engine& engine) : engine_(engine) {
    engine_.Guard("reading the classes", [&] { Load(); });
}

void Schema::Load() {
    SQLite::Database& db = engine_.Db();
    SQLite::Statement classes(db, "SELECT id, name, local_name, local_name_plural, label, descriptive FROM kelo_class ORDER BY id");
    std::map<std::int32_t, Ptr<Class>> byId;
    while (classes.executeStep()) {
        auto cls = std::make_shared<Class>(
            classes.getColumn(0).getInt(),
            ClassSpec{classes.getColumn(1).getString(), classes.getColumn(2).getString(),
                      classes.getColumn(3).getString(), classes.getColumn(4).getInt(), classes.getColumn(5).getString()});
        byId[cls->Id()] = cls;
        classes_->Append(cls);
    }

    SQLite::Statement attributes(db, "SELECT name, kind, value FROM kelo_field_attribute WHERE field_id = ? ORDER BY rowid");
    SQLite::Statement fields(db,
                             "SELECT id, class_id, name, local_name, label, type, max_length, counterpart_id, required, "
                             "excluded, indexed FROM kelo_field ORDER BY class_id, position");
    std::map<std::int32_t, Ptr<Field>> fieldById;
    std::map<std::int32_t, std::int32_t> counterparts;
    while (fields.executeStep()) {
        FieldSpec spec{fields.getColumn(2).getString(), fields.getColumn(3).getString(), fields.getColumn(4).getInt(),
                       fields.getColumn(5).getInt(), fields.getColumn(6).getInt(), fields.getColumn(8).getInt() != 0,
                       fields.getColumn(9).getInt() != 0, fields.getColumn(10).getInt() != 0, {}};
        const std::int32_t id = fields.getColumn(0).getInt();
        attributes.bind(1, id);
        while (attributes.executeStep()) {
            spec.attributes.emplace_back(attributes.getColumn(0).getString(),
                                         TypedValue::Decode(attributes.getColumn(1).getInt64(),
                                                            ReadColumn(attributes.getColumn(2))));
        }
        attributes.reset();
        const Ptr<Class>& owner = byId.at(fields.getColumn(1).getInt());
        auto field = std::make_shared<Field>(id, owner, std::move(spec));
        owner->Append(field);
        fieldById[id] = field;
        if (!fields.getColumn(7).isNull()) counterparts[id] = fields.getColumn(7).getInt();
    }
    for (const auto& [id, counterpart] : counterparts) fieldById.at(id)->SetCounterpart(fieldById.at(counterpart));
}

Ptr<Class> Schema::Require(std::string_view name) const {
    Ptr<Class> cls = Find(name);
    if (!cls) RaiseEngineError(engineerror::UnknownClass, "There is no class " + Quoted(std::string(name)));
    return cls;
}

Ptr<Class> Schema::Own(const Ptr<ostrellix::kelo::IClass>& cls) const {
    if (!cls) RaiseEngineError(engineerror::UnknownClass, "No class was given");
    for (const auto& own : classes_->List()) {
        if (SameObject(own, cls)) return own;
    }
    RaiseEngineError(engineerror::UnknownClass, "The class " + Quoted(cls->Name()) + " belongs to another database");
}

std::vector<Ptr<Field>> Schema::RelationsTo(const Class& cls) const {
    std::vector<Ptr<Field>> relations;
    for (const auto& other : classes_->List()) {
        for (const auto& field : other->FieldList()) {
            if (field->IsRelationToOne() && field->RelatedClass().get() == &cls) relations.push_back(field);
        }
    }
    return relations;
}

void Schema::CheckName(const Class* cls, const std::string& name) const {
    const std::string what = cls ? "field" : "class";
    if (!IsIdentifier(name)) {
        RaiseEngineError(engineerror::BadSchema, "The " + what + " name " + Quoted(name) +
                                                     " is not made of letters, digits and \"_\" only");
    }
    if (!cls) {
        if (Find(name)) RaiseEngineError(engineerror::BadSchema, "There is already a class " + Quoted(name));
        return;
    }
    for (const char* reserved : {"id", "timestamp", "descriptive"}) {
        if (text::EqualsIgnoreCase(name, reserved) || text::EqualsIgnoreCase(name, "id" + cls->Spec().name)) {
            RaiseEngineError(engineerror::BadSchema, "The field name " + Quoted(name) + " is reserved");
        }
    }
    if (cls->FieldNamed(name)) {
        RaiseEngineError(engineerror::BadSchema,
                         "The class " + Quoted(cls->Spec().name) + " already has a field " + Quoted(name));
    }
}

Ptr<Class> Schema::AddClass(ClassSpec spec) {
    CheckName(nullptr, spec.name);
    Ptr<Class> cls = engine_.Transact([&] {
        SQLite::Statement insert(engine_.Db(),
                                 "INSERT INTO kelo_class(name, local_name, local_name_plural, label, descriptive) "
                                 "VALUES (?, ?, ?, ?, ?)");
        insert.bind(1, spec.name);
        insert.bind(2, spec.localName);
        insert.bind(3, spec.localNamePlural);
        insert.bind(4, spec.label);
        insert.bind(5, spec.descriptive);
        insert.exec();
        auto made = std::make_shared<Class>(static_cast<std::int32_t>(engine_.Db().getLastInsertRowid()), spec);
        engine_.Db().exec("CREATE TABLE " + made->Table() + "(id INTEGER PRIMARY KEY, timestamp REAL NOT NULL)");
        engine_.Db().exec("CREATE INDEX " + made->Table() + "_timestamp ON " + made->Table() + "(timestamp)");
        return made;
    });
    classes_->Append(cls);
    return cls;
}

Ptr<Field> Schema::AddField(const Ptr<Class>& cls, FieldSpec spec) {
    if (!IsPlainType(spec.type)) {
        RaiseEngineError(engineerror::BadSchema,
                         "The field " + Quoted(spec.name) + " has the type code " + std::to_string(spec.type) +
                             (spec.type == fieldtype::RelationToOne || spec.type == fieldtype::RelationToMany
                                  ? ", which only AddRelation makes"
                                  : ", which the data engine does not know"));
    }
    CheckName(cls.get(), spec.name);
    Ptr<Field> field = engine_.Transact([&] { return Insert(cls, std::move(spec), nullptr); });
    cls->Append(field);
    return field;
}

std::pair<Ptr<Field>, Ptr<Field>> Schema::AddRelation(const Ptr<Class>& from, FieldSpec toOne, const Ptr<Class>& to,
                                                      FieldSpec toMany) {
    CheckName(from.get(), toOne.name);
    CheckName(to.get(), toMany.name);
    if (from == to && text::EqualsIgnoreCase(toOne.name, toMany.name)) {
        RaiseEngineError(engineerror::BadSchema, "A relation and its counterpart need two names");
    }
    toOne.type = fieldtype::RelationToOne;
    toMany.type = fieldtype::RelationToMany;
    auto made = engine_.Transact([&] {
        Ptr<Field> many = Insert(to, std::move(toMany), nullptr);
        Ptr<Field> one = Insert(from, std::move(toOne), many);
        SQLite::Statement link(engine_.Db(), "UPDATE kelo_field SET counterpart_id = ? WHERE id = ?");
        link.bind(1, one->Id());
        link.bind(2, many->Id());
        link.exec();
        many->SetCounterpart(one);
        AddColumn(*from, *one);
        return std::pair{one, many};
    });
    to->Append(made.second);
    from->Append(made.first);
    return made;
}

Ptr<Field> Schema::Insert(const Ptr<Class>& cls, FieldSpec spec, const Ptr<Field>& counterpart) {
    SQLite::Database& db = engine_.Db();
    SQLite::Statement insert(db,
                             "INSERT INTO kelo_field(class_id, position, name, local_name, label, type, max_length, "
                             "counterpart_id, required, excluded, indexed) "
                             "VALUES (?, (SELECT count(*) FROM kelo_field WHERE class_id = ?1), ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, cls->Id());
    insert.bind(2, spec.name);
    insert.bind(3, spec.localName.empty() ? spec.name : spec.localName);
    insert.bind(4, spec.label);
    insert.bind(5, spec.type);
    insert.bind(6, spec.maxLength);
    if (counterpart) insert.bind(7, counterpart->Id());
    else insert.bind(7);
    insert.bind(8, spec.required ? 1 : 0);
    insert.bind(9, spec.excluded ? 1 : 0);
    insert.bind(10, spec.indexed ? 1 : 0);
    insert.exec();
    const auto id = static_cast<std::int32_t>(db.getLastInsertRowid());

    SQLite::Statement attribute(db, "INSERT INTO kelo_field_attribute(field_id, name, kind, value) VALUES (?, ?, ?, ?)");
    for (const auto& [name, value] : spec.attributes) {
        const TypedValue::Stored stored = TypedValue::Encode(value, "the attribute " + Quoted(name));
        attribute.bind(1, id);
        attribute.bind(2, name);
        attribute.bind(3, stored.kind);
        Bind(attribute, 4, stored.value);
        attribute.exec();
        attribute.reset();
    }
    auto field = std::make_shared<Field>(id, cls, std::move(spec));
    field->SetCounterpart(counterpart);
    if (!field->IsRelationToOne() && field->HasColumn()) AddColumn(*cls, *field);
    return field;
}

void Schema::AddColumn(const Class& cls, const Field& field) {
    SQLite::Database& db = engine_.Db();
    db.exec("ALTER TABLE " + cls.Table() + " ADD COLUMN " + field.Column() + " " + ColumnDeclaration(field));
    if (field.IsIndexed()) {
        db.exec("CREATE INDEX " + cls.Table() + "_" + field.Column() + " ON " + cls.Table() + "(" + field.Column() + ")");
    }
}

}  // namespace ostrellix::standin::kelo

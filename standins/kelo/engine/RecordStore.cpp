#include "standins/kelo/engine/RecordStore.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/FieldCodec.h"
#include "standins/kelo/engine/FieldPath.h"
#include "standins/kelo/engine/Schema.h"

namespace ostrellix::standin::kelo {

namespace {

// A relation path read with the records: its SQL and how to read it back.
struct PathColumn {
    std::string name;
    std::string sql;
    FieldPath path;
};

std::vector<PathColumn> PathColumns(const Ptr<Class>& cls, const std::vector<std::string>& fields) {
    std::vector<PathColumn> columns;
    for (const std::string& name : fields) {
        FieldPath path = FieldPath::Resolve(cls, name);
        if (path.kind != FieldPath::Kind::Path || path.targetKind == FieldPath::Kind::Descriptive) continue;
        if (!path.field->IsRelationToOne()) {
            RaiseEngineError(engineerror::BadPath, "The relation path " + Quoted(name) + " leads to many records of " +
                                                       Quoted(path.TargetClass()->Spec().name) +
                                                       "; a field list reads paths through relations to one record");
        }
        const std::string target = path.targetKind == FieldPath::Kind::Id          ? "t.id"
                                   : path.targetKind == FieldPath::Kind::Timestamp ? "t.timestamp"
                                                                                   : "t." + path.target->Column();
        columns.push_back({name,
                           "(SELECT " + target + " FROM " + path.TargetClass()->Table() + " t WHERE t.id = r." +
                               path.field->Column() + ")",
                           std::move(path)});
    }
    return columns;
}

Variant PathValue(const FieldPath& path, const SqlValue& column) {
    if (std::holds_alternative<std::monostate>(column)) return Variant::Null();
    switch (path.targetKind) {
        case FieldPath::Kind::Id: return Variant(static_cast<std::int32_t>(std::get<std::int64_t>(column)));
        case FieldPath::Kind::Timestamp: return Variant(FieldCodec::DateFromColumn(std::get<double>(column)));
        default: return FieldCodec::FromColumn(*path.target, column);
    }
}

// Binary comparison: a text changed in case only differs too.
std::string HoldingAll(const RecordStore::Values& values) {
    std::string sql = " WHERE id = ?";
    for (const auto& [field, value] : values) sql += " AND " + field->Column() + " IS ? COLLATE BINARY";
    return sql;
}

}  // namespace

std::vector<RecordRow> RecordStore::Select(const Ptr<Class>& cls, const SqlCondition& where,
                                           const std::vector<std::string>& fields, std::int32_t maxRows,
                                           const std::string* poolJson) {
    const std::vector<PathColumn> paths = PathColumns(cls, fields);
    const std::vector<Ptr<Field>>& stored = cls->StoredFields();
    std::string sql = "SELECT r.id, r.timestamp" + cls->StoredColumns();
    for (const auto& path : paths) sql += ", " + path.sql;
    sql += " FROM " + cls->Table() + " r";
    if (poolJson) sql += " JOIN json_each(?) pool ON pool.value = r.id";
    if (!where.sql.empty()) sql += " WHERE " + where.sql;
    sql += poolJson ? " ORDER BY pool.key" : " ORDER BY r.id";
    if (maxRows > 0) sql += " LIMIT " + std::to_string(maxRows);

    return engine_.Guard("reading records", [&] {
        return engine_.WithStatement(sql, [&](SQLite::Statement& select) {
            int index = 1;
            if (poolJson) select.bind(index++, *poolJson);
            for (const SqlValue& parameter : where.parameters) Bind(select, index++, parameter);
            std::vector<RecordRow> rows;
            while (select.executeStep()) {
                RecordRow row;
                row.id = select.getColumn(0).getInt();
                row.timestamp = FieldCodec::DateFromColumn(select.getColumn(1).getDouble());
                int column = 2;
                row.values.Reserve(stored.size());
                for (const auto& field : stored) {
                    row.values.Set(field->Id(), FieldCodec::FromColumn(*field, ReadColumn(select.getColumn(column++))));
                }
                for (const auto& path : paths) {
                    row.paths.emplace_back(path.name, PathValue(path.path, ReadColumn(select.getColumn(column++))));
                }
                rows.push_back(std::move(row));
            }
            return rows;
        });
    });
}

std::optional<RecordRow> RecordStore::Read(const Ptr<Class>& cls, std::int32_t id) {
    std::vector<RecordRow> rows = Select(cls, {"r.id = ?", {std::int64_t(id)}}, {}, 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

bool RecordStore::Exists(const Class& cls, std::int32_t id) {
    return engine_.Guard("looking a record up", [&] {
        return engine_.WithStatement("SELECT 1 FROM " + cls.Table() + " WHERE id = ?", [&](SQLite::Statement& query) {
            query.bind(1, id);
            return query.executeStep();
        });
    });
}

std::int32_t RecordStore::Insert(const Class& cls, const Values& values, Date timestamp) {
    std::string columns = "timestamp", marks = "?";
    for (const auto& [field, value] : values) {
        columns += ", " + field->Column();
        marks += ", ?";
    }
    SQLite::Statement insert(engine_.Db(), "INSERT INTO " + cls.Table() + "(" + columns + ") VALUES (" + marks + ")");
    insert.bind(1, FieldCodec::DateToColumn(timestamp));
    int index = 2;
    for (const auto& [field, value] : values) Bind(insert, index++, value);
    insert.exec();
    const auto id = static_cast<std::int32_t>(engine_.Db().getLastInsertRowid());
    engine_.NoteRecordChange({Engine::RecordChange::Kind::Added, cls.Spec().name, id});
    return id;
}

bool RecordStore::Holds(const Class& cls, std::int32_t id, const Values& values) {
    return engine_.Guard("looking a record up", [&] {
        return engine_.WithStatement("SELECT 1 FROM " + cls.Table() + HoldingAll(values), [&](SQLite::Statement& query) {
            query.bind(1, id);
            int index = 2;
            for (const auto& [field, value] : values) Bind(query, index++, value);
            return query.executeStep();
        });
    });
}

void RecordStore::Update(const Class& cls, std::int32_t id, const Values& values, const Values& kept, Date timestamp) {
    std::string sql = "UPDATE " + cls.Table() + " SET timestamp = ?";
    for (const auto& [field, value] : values) sql += ", " + field->Column() + " = ?";
    sql += HoldingAll(kept);
    int updated = engine_.WithStatement(sql, [&](SQLite::Statement& update) {
        update.bind(1, FieldCodec::DateToColumn(timestamp));
        int index = 2;
        for (const auto& [field, value] : values) Bind(update, index++, value);
        update.bind(index++, id);
        for (const auto& [field, value] : kept) Bind(update, index++, value);
        return update.exec();
    });
    if (updated == 0 && !kept.empty()) {
        Values all = values;
        all.insert(all.end(), kept.begin(), kept.end());
        Update(cls, id, all, {}, timestamp);
        return;
    }
    if (updated == 0) {
        RaiseEngineError(engineerror::RecordNotFound, "The " + cls.Spec().name + " with id " + std::to_string(id) +
                                                          " no longer exists");
    }
    engine_.NoteRecordChange({Engine::RecordChange::Kind::Modified, cls.Spec().name, id});
}

void RecordStore::Delete(const Class& cls, std::int32_t id) {
    SQLite::Database& db = engine_.Db();
    std::vector<std::int64_t> documents;
    for (const auto& field : cls.FieldList()) {
        if (!field->IsDocument()) continue;
        SQLite::Statement query(db, "SELECT " + field->Column() + " FROM " + cls.Table() + " WHERE id = ?");
        query.bind(1, id);
        if (query.executeStep() && !query.getColumn(0).isNull()) documents.push_back(query.getColumn(0).getInt64());
    }
    const Date timestamp = engine_.NextTimestamp();
    for (const auto& relation : engine_.Metadata().RelationsTo(cls)) {
        SQLite::Statement unlink(db, "UPDATE " + relation->Owner()->Table() + " SET " + relation->Column() +
                                         " = NULL, timestamp = ? WHERE " + relation->Column() + " = ?");
        unlink.bind(1, FieldCodec::DateToColumn(timestamp));
        unlink.bind(2, id);
        unlink.exec();
    }
    engine_.KeepLastTimestamp();
    SQLite::Statement remove(db, "DELETE FROM " + cls.Table() + " WHERE id = ?");
    remove.bind(1, id);
    if (remove.exec() == 0) {
        RaiseEngineError(engineerror::RecordNotFound, "The " + cls.Spec().name + " with id " + std::to_string(id) +
                                                          " does not exist");
    }
    for (std::int64_t document : documents) {
        SQLite::Statement drop(db, "DELETE FROM kelo_document WHERE id = ?");
        drop.bind(1, document);
        drop.exec();
    }
    engine_.NoteRecordChange({Engine::RecordChange::Kind::Removed, cls.Spec().name, id});
}

}  // namespace ostrellix::standin::kelo

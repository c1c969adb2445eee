#include "standins/kelo/engine/SettingsCollection.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/NamePath.h"
#include "standins/kelo/engine/TypedValue.h"

namespace ostrellix::standin::kelo {

SettingsCollection::SettingsCollection(std::shared_ptr<Engine> engine, std::int64_t node)
    : engine_(std::move(engine)), node_(node) {}

Ptr<SettingsCollection> SettingsCollection::Root(const std::shared_ptr<Engine>& engine) {
    const std::int64_t root = engine->Guard("reading the settings", [&] {
        return engine->WithStatement("SELECT id FROM kelo_setting WHERE parent_id IS NULL", [](SQLite::Statement& root) {
            root.executeStep();
            return root.getColumn(0).getInt64();
        });
    });
    return std::make_shared<SettingsCollection>(engine, root);
}

std::optional<std::int64_t> SettingsCollection::Walk(const std::vector<std::string>& parts, bool leaf, bool create) {
    SQLite::Database& db = engine_->Db();
    std::int64_t node = node_;
    const std::size_t count = leaf ? parts.size() - 1 : parts.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::int64_t> child = engine_->WithStatement(
            "SELECT id FROM kelo_setting WHERE parent_id = ? AND name = ? AND is_collection = 1",
            [&](SQLite::Statement& find) -> std::optional<std::int64_t> {
                find.bind(1, node);
                find.bind(2, parts[i]);
                if (!find.executeStep()) return std::nullopt;
                return find.getColumn(0).getInt64();
            });
        if (child) {
            node = *child;
            continue;
        }
        if (!create) return std::nullopt;
        engine_->SettingsReadLately().Changing();
        SQLite::Statement insert(db, "INSERT INTO kelo_setting(parent_id, name, is_collection) VALUES (?, ?, 1)");
        insert.bind(1, node);
        insert.bind(2, parts[i]);
        insert.exec();
        node = db.getLastInsertRowid();
    }
    return node;
}

void SettingsCollection::RequireAlive() {
    const bool alive = engine_->WithStatement("SELECT 1 FROM kelo_setting WHERE id = ?", [&](SQLite::Statement& query) {
        query.bind(1, node_);
        return query.executeStep();
    });
    if (!alive) {
        RaiseEngineError(engineerror::NotUsable, "The settings collection was deleted; open it again from its parent");
    }
}

Variant SettingsCollection::Value(std::string_view name, const Variant& defaultValue) {
    if (const std::optional<Variant>* stored = engine_->SettingsReadLately().Find(node_, name)) {
        return stored->value_or(defaultValue);
    }
    const std::vector<std::string> parts = SplitNamePath(name);
    const std::optional<Variant> stored = engine_->Guard("reading a setting", [&]() -> std::optional<Variant> {
        const std::optional<std::int64_t> node = Walk(parts, true, false);
        if (!node) return std::nullopt;
        return engine_->WithStatement(
            "SELECT kind, value FROM kelo_setting WHERE parent_id = ? AND name = ? AND is_collection = 0",
            [&](SQLite::Statement& query) -> std::optional<Variant> {
                query.bind(1, *node);
                query.bind(2, parts.back());
                if (!query.executeStep()) return std::nullopt;
                return TypedValue::Decode(query.getColumn(0).getInt64(), ReadColumn(query.getColumn(1)));
            });
    });
    engine_->SettingsReadLately().Add(node_, name, stored);
    return stored.value_or(defaultValue);
}

void SettingsCollection::SetValue(std::string_view name, const Variant& value) {
    const std::vector<std::string> parts = SplitNamePath(name);
    const TypedValue::Stored stored = TypedValue::Encode(value, "the setting " + Quoted(std::string(name)));
    engine_->Transact([&] {
        engine_->SettingsReadLately().Changing();
        RequireAlive();
        const std::int64_t node = *Walk(parts, true, true);
        SQLite::Statement upsert(engine_->Db(),
                                 "INSERT INTO kelo_setting(parent_id, name, is_collection, kind, value) VALUES (?, ?, 0, ?, ?) "
                                 "ON CONFLICT(parent_id, name, is_collection) DO UPDATE SET kind = excluded.kind, "
                                 "value = excluded.value");
        upsert.bind(1, node);
        upsert.bind(2, parts.back());
        upsert.bind(3, stored.kind);
        Bind(upsert, 4, stored.value);
        upsert.exec();
    });
}

void SettingsCollection::Delete(std::string_view name) {
    const std::vector<std::string> parts = SplitNamePath(name);
    engine_->Transact([&] {
        engine_->SettingsReadLately().Changing();
        const std::optional<std::int64_t> node = Walk(parts, true, false);
        if (!node) return;
        SQLite::Statement remove(engine_->Db(), "DELETE FROM kelo_setting WHERE parent_id = ? AND name = ?");
        remove.bind(1, *node);
        remove.bind(2, parts.back());
        remove.exec();
    });
}

Ptr<ostrellix::kelo::IProperties> SettingsCollection::Child(std::string_view name) {
    const std::vector<std::string> parts = SplitNamePath(name);
    const std::int64_t node = engine_->Transact([&] {
        RequireAlive();
        return *Walk(parts, false, true);
    });
    return std::make_shared<SettingsCollection>(engine_, node);
}

Ptr<ostrellix::kelo::IProperties> SettingsCollection::Parent() {
    const std::optional<std::int64_t> parent = engine_->Guard("reading the settings", [&]() -> std::optional<std::int64_t> {
        SQLite::Statement query(engine_->Db(), "SELECT parent_id FROM kelo_setting WHERE id = ?");
        query.bind(1, node_);
        if (!query.executeStep() || query.getColumn(0).isNull()) return std::nullopt;
        return query.getColumn(0).getInt64();
    });
    if (!parent) return nullptr;
    return std::make_shared<SettingsCollection>(engine_, *parent);
}

std::vector<std::string> SettingsCollection::NamesOf(bool collections) {
    return engine_->Guard("reading the settings", [&] {
        SQLite::Statement query(engine_->Db(),
                                "SELECT name FROM kelo_setting WHERE parent_id = ? AND is_collection = ? ORDER BY id");
        query.bind(1, node_);
        query.bind(2, collections ? 1 : 0);
        std::vector<std::string> names;
        while (query.executeStep()) names.push_back(query.getColumn(0).getString());
        return names;
    });
}

std::vector<std::string> SettingsCollection::Names() { return NamesOf(false); }
std::vector<std::string> SettingsCollection::ChildNames() { return NamesOf(true); }

}  // namespace ostrellix::standin::kelo

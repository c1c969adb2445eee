#include "standins/outlook/NamedPropertyMap.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/StoreDatabase.h"

namespace ostrellix::standin::outlook {

namespace {
// Names are kept as "#<number>" for numeric ids and "s:<text>" for string names.
msg::PropertyName ParseName(const std::string& set, const std::string& key) {
    msg::PropertyName name{Guid::Parse(set), std::uint32_t{0}};
    if (key.rfind("s:", 0) == 0) {
        name.id = key.substr(2);
    } else {
        name.id = static_cast<std::uint32_t>(std::stoul(key.substr(1)));
    }
    return name;
}
}  // namespace

NamedPropertyMap::NamedPropertyMap(StoreDatabase& db) : db_(db) { Load(); }

std::string NamedPropertyMap::Key(const msg::PropertyName& name) {
    if (const auto* number = std::get_if<std::uint32_t>(&name.id)) return "#" + std::to_string(*number);
    return "s:" + std::get<std::string>(name.id);
}

void NamedPropertyMap::Load() {
    db_.Guard("read the named properties", [&] {
        SQLite::Statement query(db_.Sql(), "SELECT id, property_set, name FROM named_ids");
        while (query.executeStep()) {
            const auto id = static_cast<std::uint16_t>(query.getColumn(0).getInt());
            msg::PropertyName name = ParseName(query.getColumn(1).getString(), query.getColumn(2).getString());
            ids_[name] = id;
            names_.emplace(id, std::move(name));
        }
    });
}

std::uint16_t NamedPropertyMap::IdOf(const msg::PropertyName& name) {
    if (const auto found = ids_.find(name); found != ids_.end()) return found->second;
    const int next = names_.empty() ? msg::kFirstNamedId : names_.rbegin()->first + 1;
    if (next > 0xFFFE) errors::Raise(errors::kStoreFailed, "The message store has no named property ids left.");
    const auto id = static_cast<std::uint16_t>(next);
    db_.Guard("add a named property", [&] {
        SQLite::Statement insert(db_.Sql(), "INSERT INTO named_ids(id, property_set, name) VALUES(?, ?, ?)");
        insert.bind(1, next);
        insert.bind(2, name.propertySet.ToString());
        insert.bind(3, Key(name));
        insert.exec();
    });
    ids_[name] = id;
    names_.emplace(id, name);
    return id;
}

std::optional<msg::PropertyName> NamedPropertyMap::NameOf(std::uint16_t id) {
    const auto found = names_.find(id);
    if (found == names_.end()) return std::nullopt;
    return found->second;
}

}  // namespace ostrellix::standin::outlook

#include "standins/outlook/CategoryList.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/StoreDatabase.h"

namespace ostrellix::standin::outlook {

std::vector<CategoryList::Category> CategoryList::All() {
    return db_.Guard("read the categories", [&] {
        std::vector<Category> categories;
        SQLite::Statement query(db_.Sql(), "SELECT name, color FROM categories ORDER BY rowid");
        while (query.executeStep()) categories.push_back({query.getColumn(0).getString(), query.getColumn(1).getInt()});
        return categories;
    });
}

std::optional<CategoryList::Category> CategoryList::Find(std::string_view name) {
    for (Category& category : All()) {
        if (text::EqualsIgnoreCase(category.name, name)) return std::move(category);
    }
    return std::nullopt;
}

void CategoryList::Add(std::string_view name, std::int32_t color) {
    if (text::Trim(name).empty()) errors::Raise(errors::kInvalidArgument, "A category needs a name.");
    if (Find(name)) errors::Raise(errors::kFailed, "The category \"" + std::string(name) + "\" already exists.");
    db_.Guard("add a category", [&] {
        SQLite::Statement insert(db_.Sql(), "INSERT INTO categories(name, color) VALUES(?, ?)");
        insert.bind(1, std::string(name));
        insert.bind(2, color);
        insert.exec();
    });
}

void CategoryList::SetColor(std::string_view name, std::int32_t color) {
    db_.Guard("change a category", [&] {
        SQLite::Statement update(db_.Sql(), "UPDATE categories SET color = ? WHERE name = ?");
        update.bind(1, color);
        update.bind(2, std::string(name));
        if (update.exec() == 0) {
            errors::Raise(errors::kNotFound, "The category \"" + std::string(name) + "\" has been deleted.");
        }
    });
}

}  // namespace ostrellix::standin::outlook

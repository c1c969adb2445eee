#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrellix::standin::outlook {

class StoreDatabase;

// The master category list of a store: names (unique without regard to
// case) with their colours, in the order they were added.
class CategoryList {
public:
    struct Category {
        std::string name;
        std::int32_t color = 0;
    };

    explicit CategoryList(StoreDatabase& db) : db_(db) {}

    std::vector<Category> All();
    std::optional<Category> Find(std::string_view name);
    // Raises when a category of that name exists.
    void Add(std::string_view name, std::int32_t color);
    void SetColor(std::string_view name, std::int32_t color);

private:
    StoreDatabase& db_;
};

}  // namespace ostrellix::standin::outlook

#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "contracts/kelo/IProperties.h"

namespace ostrellix::standin::kelo {

class Engine;

// A collection of the database's settings tree (table kelo_setting: one
// row per collection and per value, values stored with their kinds). Every
// write is one transaction, and every read gives what the database holds
// (read again only after a change, SettingsCache), so two collection
// objects of the same node see each other's writes at once.
class SettingsCollection final : public ostrellix::kelo::IProperties {
public:
    SettingsCollection(std::shared_ptr<Engine> engine, std::int64_t node);
    static Ptr<SettingsCollection> Root(const std::shared_ptr<Engine>& engine);

    Variant Value(std::string_view name, const Variant& defaultValue = {}) override;
    void SetValue(std::string_view name, const Variant& value) override;
    void Delete(std::string_view name) override;
    Ptr<ostrellix::kelo::IProperties> Child(std::string_view name) override;
    Ptr<ostrellix::kelo::IProperties> Parent() override;
    std::vector<std::string> Names() override;
    std::vector<std::string> ChildNames() override;

private:
    // The collection `parts` leads to from this one (all parts but the last
    // when `leaf` is true); made when absent and `create` is true.
    std::optional<std::int64_t> Walk(const std::vector<std::string>& parts, bool leaf, bool create);
    std::vector<std::string> NamesOf(bool collections);
    void RequireAlive();

    std::shared_ptr<Engine> engine_;
    std::int64_t node_;
};

}  // namespace ostrellix::standin::kelo

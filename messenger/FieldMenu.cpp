#include "messenger/FieldMenu.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IField.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

void FieldMenu::SetFieldTypes(const Variant& types) {
    types_.clear();
    if (types.IsArray()) {
        for (const Variant& type : types.ToArray()) types_.insert(type.ToLong());
    } else {
        types_.insert(types.ToLong());
    }
}

std::vector<win::MenuItem> FieldMenu::Build(const Ptr<kelo::IFields>& fields, const std::string& prefix,
                                            std::set<std::string>& visited) {
    std::vector<win::MenuItem> items;
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (field->Type() == kelo::fieldtype::RelationToOne) {
            Ptr<kelo::IClass> related;
            // A relation whose other side cannot be read offers nothing; the rest of the menu still can.
            IgnoreErrors([&] { related = Must(field->Counterpart()).Class(); });
            if (!related || !visited.insert(text::LCase(related->Name())).second) continue;
            auto submenu = Build(related->Fields(), prefix + field->Name() + ".", visited);
            if (!submenu.empty()) items.push_back({0, field->LocalName(), true, std::move(submenu)});
            continue;
        }
        if (!types_.contains(field->Type())) continue;
        const auto number = static_cast<std::int32_t>(names_.size() + 1);
        names_[number] = prefix + field->Name();
        items.push_back({number, field->LocalName(), true, {}});
    }
    return items;
}

std::string FieldMenu::Show(std::int32_t x, std::int32_t y, std::int64_t window) {
    names_.clear();
    std::set<std::string> visited;
    Must(fields_);
    const auto fields = fields_;
    // The class itself is not offered again below one of its relations.
    IgnoreErrors([&] {
        if (fields->Count() > 0) visited.insert(text::LCase(fields->Item(1)->Class()->Name()));
    });
    std::vector<win::MenuItem> items = Build(fields, "", visited);
    if (items.empty() && !emptyMenuText_.empty()) items.push_back({1, emptyMenuText_, false, {}});
    const std::int32_t chosen = Globals::System().Menus().Show(items, x, y, window);
    const auto name = names_.find(chosen);
    return name == names_.end() ? std::string() : name->second;
}

}  // namespace ostrellix::addin

#include "standins/outlook/Categories.h"

#include "standins/outlook/Category.h"

namespace ostrellix::standin::outlook {

Ptr<ol::ICategory> Categories::Add(std::string_view name, std::int32_t color) {
    Live().Settings().Categories().Add(name, color);
    return std::make_shared<Category>(SharedOwner(), std::string(name));
}

Ptr<ol::ICategory> Categories::Item(std::string_view name) {
    const auto category = Live().Settings().Categories().Find(name);
    return category ? std::make_shared<Category>(SharedOwner(), category->name) : nullptr;
}

std::int32_t Categories::Count() { return static_cast<std::int32_t>(Live().Settings().Categories().All().size()); }

}  // namespace ostrellix::standin::outlook

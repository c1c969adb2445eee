#include "standins/outlook/Category.h"

#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

std::string Category::Name() {
    Live();
    return name_;
}

std::int32_t Category::Color() {
    const auto category = Live().Settings().Categories().Find(name_);
    if (!category) errors::Raise(errors::kNotFound, "The category \"" + name_ + "\" has been deleted.");
    return category->color;
}

void Category::SetColor(std::int32_t color) { Live().Settings().Categories().SetColor(name_, color); }

}  // namespace ostrellix::standin::outlook

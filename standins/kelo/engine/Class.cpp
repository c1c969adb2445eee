#include "standins/kelo/engine/Class.h"

namespace ostrellix::standin::kelo {

void Class::Append(Ptr<Field> field) {
    if (field->HasColumn()) {
        storedColumns_ += ", r." + field->Column();
        storedFields_.push_back(field);
    }
    fields_->Append(std::move(field));
}

}  // namespace ostrellix::standin::kelo

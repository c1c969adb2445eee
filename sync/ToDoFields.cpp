#include "sync/ToDoFields.h"

#include "contracts/kelo/Codes.h"

namespace ostrellix::addin {

namespace {

int DateKindOf(std::int32_t type) {
    switch (type) {
        case kelo::fieldtype::DateTime: return ToDoFields::DateTime;
        case kelo::fieldtype::Date: return ToDoFields::DateOnly;
        case kelo::fieldtype::Time: return ToDoFields::TimeOnly;
        default: return -1;
    }
}

}  // namespace

ToDoFields ToDoFields::Of(kelo::IClass& cls) {
    ToDoFields roles;
    const auto fields = cls.Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        auto field = fields->Item(i);
        const int dateKind = DateKindOf(field->Type());
        switch (field->Label()) {
            case 10: roles.responsible = field; break;
            case 1: roles.contact = field; break;
            case 4: if (dateKind >= 0) roles.start[static_cast<std::size_t>(dateKind)] = field; break;
            case 5: if (dateKind >= 0) roles.end[static_cast<std::size_t>(dateKind)] = field; break;
            case 3: roles.subject = field; break;
            case 8: roles.body = field; break;
            case 29: roles.location = field; break;
            case 7: roles.complete = field; break;
            default: break;
        }
    }
    return roles;
}

}  // namespace ostrellix::addin

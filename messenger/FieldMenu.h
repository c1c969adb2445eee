#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "contracts/kelo/IFields.h"
#include "contracts/win/IPopupMenus.h"
#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::addin {

// The fields of a class that have one of the wanted type codes, as a
// pop-up menu; the related class's fields of a relation to one record sit
// in a submenu of the relation. A field chosen there is named by the path
// "relation.field".
class FieldMenu : public virtual Object {
public:
    std::string EmptyMenuText() const { return emptyMenuText_; }
    void SetEmptyMenuText(std::string text) { emptyMenuText_ = std::move(text); }
    Ptr<kelo::IFields> Fields() const { return fields_; }
    void SetFields(const Ptr<kelo::IFields>& fields) { fields_ = fields; }
    // One type code, or an array of them.
    void SetFieldTypes(const Variant& types);
    const std::set<std::int32_t>& FieldTypes() const { return types_; }

    // The chosen field's name or path; "" when nothing was chosen.
    std::string Show(std::int32_t x, std::int32_t y, std::int64_t window);

private:
    std::vector<win::MenuItem> Build(const Ptr<kelo::IFields>& fields, const std::string& prefix,
                                     std::set<std::string>& visited);

    std::string emptyMenuText_;
    Ptr<kelo::IFields> fields_;
    std::set<std::int32_t> types_;
    std::map<std::int32_t, std::string> names_;
};

}  // namespace ostrellix::addin

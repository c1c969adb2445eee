#include "standins/kelo/engine/Query.h"

#include <pugixml.hpp>

#include <sstream>

#include "standins/kelo/engine/FieldPath.h"
#include "standins/kelo/engine/Records.h"

namespace ostrellix::standin::kelo {

std::string Query::Run(const Ptr<ostrellix::kelo::IClass>& cls, const Ptr<ostrellix::kelo::IFilter>& filter,
                       const std::vector<std::string>& fields) {
    Records records(engine_);
    records.Open(cls, filter, fields, 0);

    pugi::xml_document document;
    pugi::xml_node root = document.append_child("records");
    const std::string className = cls->Name();
    root.append_attribute("class") = className.c_str();
    root.append_attribute("count") = records.Count();
    for (std::int32_t i = 1; i <= records.Count(); ++i) {
        const auto record = std::static_pointer_cast<Record>(records.Item(i));
        pugi::xml_node element = root.append_child(className.c_str());
        for (const std::string& name : fields) {
            const FieldPath path = FieldPath::Resolve(record->OwnClass(), name);
            const bool relation = (path.kind == FieldPath::Kind::Field && path.field->IsRelationToOne());
            const Variant value = record->ValueOf(path);
            const std::string shown = relation ? (value.IsNull() ? std::string() : value.ToString()) : record->TextOf(path);
            element.append_attribute(name.c_str()) = shown.c_str();
        }
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default | pugi::format_no_declaration);
    return out.str();
}

}  // namespace ostrellix::standin::kelo

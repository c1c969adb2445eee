#pragma once

#include <functional>

#include "contracts/outlook/IPropertyAccessor.h"
#include "standins/message/PropertyBag.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// MAPI properties of an item, recipient, attachment or address entry by
// schema name, in Outlook's three forms:
//   ".../mapi/proptag/0x0037001F"                        by tag,
//   ".../mapi/id/{00062004-...}/8083001F"                a named property by id and type,
//   ".../mapi/string/{00020329-...}/KeloID"              a named property by string name.
// A tag of the named range (0x8000 and up) means the named property the
// store's map gives that id. A property the object lacks, or holds with
// another type, reads as Empty (both string types count as one); a
// malformed name raises. Without an edit function the object is read-only.
class PropertyAccessor final : public ol::IPropertyAccessor, protected InstanceBound {
public:
    using Reader = std::function<const msg::PropertyBag&()>;
    using Editor = std::function<msg::PropertyBag&()>;

    PropertyAccessor(Ptr<Instance> instance, Reader read, Editor edit = nullptr)
        : InstanceBound(std::move(instance)), read_(std::move(read)), edit_(std::move(edit)) {}

    Variant GetProperty(std::string_view schemaName) override;
    void SetProperty(std::string_view schemaName, const Variant& value) override;

private:
    Reader read_;
    Editor edit_;
};

}  // namespace ostrellix::standin::outlook

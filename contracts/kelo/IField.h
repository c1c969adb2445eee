#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

class IClass;

// One field of a class in the data engine's metadata. Its label tells its
// role (0 or less: none), its type code how it stores values (Codes.h). A
// relation field has a counterpart: the field on the other side, which
// belongs to the related class.
class IField : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::string LocalName() = 0;
    virtual std::int32_t Label() = 0;
    virtual std::int32_t Type() = 0;
    // The kind of value the field holds: Variant::Type codes (7 date, 8 text ...).
    virtual Variant::Type ValueType() = 0;
    // Maximum number of characters; below 1 means no limit.
    virtual std::int32_t MaxLength() = 0;
    virtual Ptr<IClass> Class() = 0;
    // For relations the field on the other side (its Class() is the related class), else nothing.
    virtual Ptr<IField> Counterpart() = 0;
    // Fields flagged as excluded take no part in checksums and relation copying.
    virtual bool Excluded() = 0;
    // A named attribute (for example "type" = 2 on a picture field); Empty when absent.
    virtual Variant Attribute(std::string_view name) = 0;
};

}  // namespace ostrellix::kelo

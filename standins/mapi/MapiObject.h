#pragma once

#include "contracts/mapi/IMapiObject.h"
#include "standins/mapi/Names.h"

namespace ostrellix::standin::mapi {

// What every object of the library shares: Fields by tag are its property
// accessor's properties by the proptag schema name, so both give the same
// values, Empty for a property the object lacks.
class MapiObject : public virtual api::IMapiObject {
public:
    Variant Fields(std::uint32_t tag) override;
    void SetFields(std::uint32_t tag, const Variant& value) override;
};

}  // namespace ostrellix::standin::mapi

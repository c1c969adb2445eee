#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/kelo/IPool.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// Conditions on records of one class ("QVR.Filter"), all of which must
// hold. A condition names a field or a relation path ("persons.email"),
// an operator (Codes.h op) and a value. Combine joins the conditions added
// so far into one group (logic::And or logic::Or), which later conditions
// must hold beside. Field names are checked against the class when the
// filter is used.
class IFilter : public virtual Object {
public:
    virtual void Add(std::string_view fieldOrPath, std::int32_t op, const Variant& value) = 0;
    // The record's id must be in the pool.
    virtual void AddPool(const Ptr<IPool>& pool) = 0;
    // Number of conditions (a pool and a group count one each).
    virtual std::int32_t Count() = 0;
    virtual void Combine(std::int32_t logic) = 0;
    virtual std::string Description() = 0;
};

}  // namespace ostrellix::kelo

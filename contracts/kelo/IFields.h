#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/kelo/IField.h"

namespace ostrellix::kelo {

class IClass;

// The fields of a class in the data engine's order, with the lookups the
// add-in uses. Lookups return nothing when no field qualifies; when several
// do, the first in order.
class IFields : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IField> Item(std::int32_t index) = 0;  // 1-based; raises 9 out of range

    virtual Ptr<IField> FindByName(std::string_view name) = 0;
    virtual Ptr<IField> FindByLabel(std::int32_t label) = 0;
    virtual Ptr<IField> FindByType(std::int32_t type) = 0;
    // The relation field that points to `relatedClass`: a relation to one
    // record when there is one, else a relation to many.
    virtual Ptr<IField> FindByRelatedClass(const Ptr<IClass>& relatedClass) = 0;
    // The relation-to-one field of this class that leads to the same class
    // as `field` (a relation of another class) does: person's "company" for
    // a document's "company".
    virtual Ptr<IField> FindByRelatedField(const Ptr<IField>& field) = 0;
};

}  // namespace ostrellix::kelo

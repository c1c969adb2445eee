#pragma once

#include "runtime/Date.h"
#include "runtime/Variant.h"
#include "standins/kelo/engine/SqlValue.h"

namespace ostrellix::standin::kelo {

class Field;

// Field values to and from their columns. Texts are stored as they are (the
// empty text as NULL: a field without a value), whole numbers and relations
// as integers, Booleans as 0 or 1, numbers as reals, dates and times as a
// real that orders them (days since 1899-12-30, the time as a fraction
// counting forward even before that day). Relations and documents are
// stored as the id they point to; the record turns those ids into objects.
class FieldCodec {
public:
    // The column value for a field's value, converted to the field's kind:
    // raises 13 naming the field for a value of the wrong kind, and a clear
    // error for a text longer than the field's maximum length. Relations
    // take an id; documents are not handled here.
    static SqlValue ToColumn(Field& field, const Variant& value);
    static Variant FromColumn(const Field& field, const SqlValue& column);

    static double DateToColumn(Date date);
    static Date DateFromColumn(double column);
};

}  // namespace ostrellix::standin::kelo

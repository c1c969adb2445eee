#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/kelo/IClass.h"
#include "runtime/Date.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// A record of the data engine ("QVR.Record"). Created empty; New makes it a
// new record of a class (state New), Load reads a stored one (state Loaded).
// Fields are named by field name or by a relation path
// ("company.name": relation field, point, field of the related class).
// Values keep their kinds: Null for no value, Long for ids and relations,
// Date for dates and times, text, Boolean, and a document object for
// document fields. Update stores the record in one transaction.
class IRecord : public virtual Object {
public:
    virtual void New(const Ptr<IClass>& cls) = 0;
    // Raises when the class has no record with that id.
    virtual void Load(const Ptr<IClass>& cls, std::int32_t id) = 0;

    virtual Ptr<IClass> Class() = 0;
    virtual std::int32_t ID() = 0;  // 0 until first stored
    virtual std::int32_t State() = 0;  // recordstate flags
    virtual Date Timestamp() = 0;      // advanced by every store

    // Display text: for a relation the linked record's descriptive text, for
    // a date its text form, "" for Null.
    virtual std::string Text(std::string_view field) = 0;
    virtual Variant Value(std::string_view field) = 0;
    // Raises on an unknown field or a value of the wrong kind.
    virtual void SetValue(std::string_view field, const Variant& value) = 0;
    // The record a relation-to-one field links to; nothing when none.
    virtual Ptr<IRecord> Linked(std::string_view field) = 0;

    // The class's descriptive text of this record (for a person its names).
    virtual std::string Descriptive() = 0;
    // Field codes in `text` replaced by this record's values (mode 2: HTML-escaped).
    virtual std::string Merge(std::string_view text, std::int32_t mode) = 0;

    virtual bool HasChanges() = 0;
    // The data engine's check: raises, naming the reason, when the record may not be stored.
    virtual void Check() = 0;
    // Stores the record (assigns the id of a new one).
    virtual void Update() = 0;
    // Raises when the record is unusable (deleted, never loaded).
    virtual void Probe() = 0;
};

}  // namespace ostrellix::kelo

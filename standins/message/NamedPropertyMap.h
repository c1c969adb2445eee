#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "standins/message/PropertyBag.h"

namespace ostrellix::standin::message {

class OleStorageReader;
class OleStorageWriter;

// The named-property map of one message file ("__nameid_version1.0"): it
// gives every property name used anywhere in the message, its recipients,
// attachments and embedded messages one property id from 0x8000 upwards.
class NamedPropertyMap {
public:
    // Reads the map; a file without one has no named properties. A broken
    // map throws FormatError.
    static NamedPropertyMap Read(const OleStorageReader& root, std::size_t maxEntries);

    // The id of a name, given on first use (writing).
    std::uint16_t IdOf(const PropertyName& name);
    // The name of an id (reading); nothing for an id the map lacks.
    std::optional<PropertyName> NameOf(std::uint16_t id) const;
    std::size_t Size() const { return names_.size(); }

    // Writes the GUID, entry and string streams and the hash streams that
    // lead from a name to its id.
    void Write(OleStorageWriter& root) const;

private:
    std::vector<PropertyName> names_;  // in the order they were met
    std::map<PropertyName, std::uint16_t> ids_;
    std::map<std::uint16_t, std::size_t> byId_;  // into names_
};

}  // namespace ostrellix::standin::message

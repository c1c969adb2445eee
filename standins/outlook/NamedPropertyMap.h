#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "standins/message/PropertyBag.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

class StoreDatabase;

// The store's mapping of named properties to property ids (0x8000 and up),
// as MAPI's GetIDsFromNames keeps it per store: an id, once given, names
// the same property for the store's life. Tags in the named range (such as
// "0x805A001F" asked of a property accessor) mean what this map says.
class NamedPropertyMap {
public:
    explicit NamedPropertyMap(StoreDatabase& db);

    // The id of the name, given a new one when it has none yet.
    std::uint16_t IdOf(const msg::PropertyName& name);
    // The name of an id; nothing when no name has it.
    std::optional<msg::PropertyName> NameOf(std::uint16_t id);

private:
    static std::string Key(const msg::PropertyName& name);
    void Load();

    StoreDatabase& db_;
    std::map<msg::PropertyName, std::uint16_t> ids_;
    std::map<std::uint16_t, msg::PropertyName> names_;
};

}  // namespace ostrellix::standin::outlook

#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix {

// The class registration of the platform: ProgID -> creator. The host
// program registers every stand-in's and the add-in's classes here, and
// "create the object with ProgID ..." anywhere comes down to Create.
// ProgIDs compare without regard to case, as in the registry.
class ClassFactory {
public:
    using Creator = std::function<ObjectPtr()>;

    // Registers or replaces the creator of a ProgID.
    void Register(std::string_view progId, Creator creator);
    void Unregister(std::string_view progId);
    bool IsRegistered(std::string_view progId) const;

    // A new object of the class; raises 429 naming the ProgID when no class
    // is registered under it or its creator gives nothing.
    ObjectPtr Create(std::string_view progId) const;

private:
    static std::string Key(std::string_view progId);
    std::map<std::string, Creator, std::less<>> creators_;
};

}  // namespace ostrellix

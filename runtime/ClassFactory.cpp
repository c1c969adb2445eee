#include "runtime/ClassFactory.h"

#include <cctype>

#include "runtime/ComError.h"

namespace ostrellix {

std::string ClassFactory::Key(std::string_view progId) {
    std::string key(progId);
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

void ClassFactory::Register(std::string_view progId, Creator creator) { creators_[Key(progId)] = std::move(creator); }

void ClassFactory::Unregister(std::string_view progId) { creators_.erase(Key(progId)); }

bool ClassFactory::IsRegistered(std::string_view progId) const { return creators_.contains(Key(progId)); }

ObjectPtr ClassFactory::Create(std::string_view progId) const {
    const auto found = creators_.find(Key(progId));
    ObjectPtr object = found != creators_.end() ? found->second() : nullptr;
    if (!object) {
        throw ComError(errors::CannotCreateObject, "Ostrellix.Runtime",
                       "ActiveX component can't create object: " + std::string(progId));
    }
    return object;
}

}  // namespace ostrellix

#include "standins/mapi/MapiLibrary.h"

#include "standins/mapi/SafeMailItem.h"
#include "standins/mapi/Session.h"

namespace ostrellix::standin::mapi {

void MapiLibrary::Register(ClassFactory& factory) {
    factory.Register(kSessionProgId, [] { return ObjectPtr(std::make_shared<Session>()); });
    factory.Register(kSafeMailItemProgId, [] { return ObjectPtr(std::make_shared<SafeMailItem>()); });
}

}  // namespace ostrellix::standin::mapi

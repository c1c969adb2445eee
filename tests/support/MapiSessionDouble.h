#pragma once

#include <gmock/gmock.h>

#include "contracts/mapi/ISession.h"

namespace ostrellix::testing {

// A session of the MAPI library in states its stand-in does not reach while
// its Outlook runs: not logged on, failing to answer, or finding a folder
// that Outlook does not.
class MapiSessionDouble : public mapi::ISession {
public:
    MOCK_METHOD(ObjectPtr, MAPIOBJECT, (), (override));
    MOCK_METHOD(void, SetMAPIOBJECT, (const ObjectPtr&), (override));
    MOCK_METHOD(bool, LoggedOn, (), (override));
    MOCK_METHOD(Ptr<mapi::IMessage>, GetMessageFromID, (std::string_view), (override));
    MOCK_METHOD(Ptr<mapi::IAddressEntry>, GetAddressEntryFromID, (std::string_view), (override));
    MOCK_METHOD(Ptr<mapi::IAddressBook>, AddressBook, (), (override));
    MOCK_METHOD(Ptr<mapi::IFolder>, GetDefaultFolder, (std::int32_t), (override));
    MOCK_METHOD(Ptr<mapi::IFolder>, GetFolderFromID, (std::string_view), (override));
    MOCK_METHOD(Ptr<mapi::IMessage>, GetMessageFromMsgFile, (std::string_view, bool), (override));
    MOCK_METHOD(Ptr<mapi::IAddressEntry>, CurrentUser, (), (override));
};

}  // namespace ostrellix::testing

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "contracts/mapi/Constants.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/INameSpace.h"
#include "runtime/ClassFactory.h"
#include "runtime/ComError.h"
#include "standins/mapi/MapiLibrary.h"
#include "standins/mapi/MessageFileFormats.h"
#include "standins/outlook/OutlookProgram.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/StoreDatabase.h"
#include "standins/system/ManualClock.h"
#include "standins/system/System.h"
#include "tests/standins/message/TestMessages.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::mapi::testing {

namespace api = ::ostrellix::mapi;
namespace ol = ::ostrellix::outlook;

// A machine with the system stand-in (its clock moved by hand), a profile
// of Anna Berg at Ostrellix (a colleague in the directory, a Kelo address
// list), Outlook started with the message files of this library, and a
// session of the library made through the class factory and logged on
// with Outlook's MAPIOBJECT, as the add-in does it.
class MapiFixture : public ::testing::Test {
public:
    static constexpr const char* kUser = "anna.berg@ostrellix.example";
    static constexpr const char* kColleague = "bo.lind@ostrellix.example";

    MapiFixture() {
        auto manual = std::make_unique<system::ManualClock>(Date::FromParts(2024, 5, 1, 10, 0, 0));
        clock = manual.get();
        system::System::Setup setup;
        setup.configDirectory = files.Path() / "config";
        setup.clock = std::move(manual);
        system = std::make_unique<system::System>(factory, std::move(setup));
        outlook::ProfileSetup profileSetup;
        profileSetup.storePath = outlook::StoreDatabase::kInMemory;
        profileSetup.user = {"Anna Berg", kUser};
        profileSetup.colleagues = {{"Bo Lind", kColleague}};
        profileSetup.addressLists = {{"Kelo Address Book", 3, {{"Dan Kund", "dan@kund.example"}}}};
        profile = std::make_unique<outlook::Profile>(profileSetup, *clock);
        program = std::make_unique<outlook::OutlookProgram>(factory, *system, *profile, &formats);
        program->Register();
        MapiLibrary::Register(factory);
        outlook = program->Start();
        ns = outlook->Session();
        session = As<api::ISession>(factory.Create(MapiLibrary::kSessionProgId));
        session->SetMAPIOBJECT(ns->MAPIOBJECT());
    }

    Ptr<api::IFolder> MapiFolder(std::int32_t type) { return session->GetDefaultFolder(type); }

    // A new message in Drafts, saved.
    Ptr<api::IMessage> SavedDraft(const std::string& subject) {
        const auto message = MapiFolder(ol::olFolderDrafts)->Items()->Add("IPM.Note");
        message->SetSubject(subject);
        message->Save();
        return message;
    }

    std::string Sample(const std::string& name) { return message::testing::DataFile(name).string(); }

    template <class Call>
    static std::optional<ComError> ErrorOf(Call&& call) {
        return ostrellix::testing::Raised(std::forward<Call>(call));
    }

    ostrellix::testing::TempDirectory files;
    ClassFactory factory;
    system::ManualClock* clock = nullptr;
    std::unique_ptr<system::System> system;
    std::unique_ptr<outlook::Profile> profile;
    MessageFileFormats formats;
    std::unique_ptr<outlook::OutlookProgram> program;
    Ptr<ol::IApplication> outlook;
    Ptr<ol::INameSpace> ns;
    Ptr<api::ISession> session;
};

}  // namespace ostrellix::standin::mapi::testing

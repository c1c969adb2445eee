#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "runtime/ClassFactory.h"
#include "runtime/ComError.h"
#include "standins/outlook/OutlookProgram.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/SimulatedUser.h"
#include "standins/system/ManualClock.h"
#include "standins/system/System.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::outlook::testing {

namespace ol = ::ostrellix::outlook;

// A machine with the system stand-in (its clock moved by hand), a profile
// of Anna Berg at Ostrellix with a colleague whose mailbox the profile
// opens and a Kelo address list, and Outlook registered and started.
class OutlookFixture : public ::testing::Test {
public:
    static constexpr const char* kUser = "anna.berg@ostrellix.example";
    static constexpr const char* kColleague = "bo.lind@ostrellix.example";

    static ProfileSetup Setup(std::string storePath) {
        ProfileSetup setup;
        setup.storePath = std::move(storePath);
        setup.user = {"Anna Berg", kUser};
        setup.colleagues = {{"Bo Lind", kColleague}, {"Cecilia Berg", "cecilia.berg@ostrellix.example"}};
        setup.sharedMailboxes = {kColleague};
        setup.addressLists = {{"Kelo Address Book", 3, {{"Dan Kund", "dan@kund.example"}}}};
        return setup;
    }

public:
    OutlookFixture() : OutlookFixture(StoreDatabase::kInMemory) {}

    explicit OutlookFixture(std::string storePath) {
        auto manual = std::make_unique<system::ManualClock>(Date::FromParts(2024, 5, 1, 10, 0, 0));
        clock = manual.get();
        system::System::Setup setup;
        setup.configDirectory = directory.Path() / "config";
        setup.clock = std::move(manual);
        system = std::make_unique<system::System>(factory, std::move(setup));
        profile = std::make_unique<Profile>(Setup(std::move(storePath)), *clock);
        program = std::make_unique<OutlookProgram>(factory, *system, *profile);
        program->Register();
        outlook = program->Start();
        session = outlook->Session();
        user = std::make_unique<SimulatedUser>(outlook);
    }

    Ptr<ol::IFolder> Folder(std::int32_t type) { return session->GetDefaultFolder(type); }

    // A new item, with that subject if one is given, and saved if asked.
    template <class T = ol::IItem>
    Ptr<T> Create(std::int32_t type, const std::string& subject = {}, bool save = false) {
        const Ptr<ol::IItem> item = outlook->CreateItem(type);
        if (!subject.empty()) item->SetSubject(subject);
        if (save) item->Save();
        return As<T>(item);
    }

    // The number of the error the call raises; nothing when it raises none.
    template <class Call>
    static std::optional<std::int32_t> ErrorOf(Call&& call) {
        const std::optional<ComError> error = ostrellix::testing::Raised(std::forward<Call>(call));
        return error ? std::optional<std::int32_t>(error->Number()) : std::nullopt;
    }

    ostrellix::testing::TempDirectory directory;
    ClassFactory factory;
    system::ManualClock* clock = nullptr;
    std::unique_ptr<system::System> system;
    std::unique_ptr<Profile> profile;
    std::unique_ptr<OutlookProgram> program;
    Ptr<ol::IApplication> outlook;
    Ptr<ol::INameSpace> session;
    std::unique_ptr<SimulatedUser> user;
};

}  // namespace ostrellix::standin::outlook::testing

#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "runtime/ClassFactory.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/client/SimulatedUser.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/system/ManualClock.h"
#include "standins/system/System.h"
#include "tests/standins/system/TempDirectory.h"

namespace ostrellix::standin::kelo {

// A client on the demo database in memory, on a clock that starts at
// 2024-05-01 09:00 and moves only when the test moves it.
class KeloFixture : public ::testing::Test {
protected:
    KeloFixture() : system(factory, SystemSetup()), client(factory, system, ClientSetup()), user(client, clock) {}

    system::System::Setup SystemSetup() {
        system::System::Setup setup;
        setup.configDirectory = dir.Path() / "config";
        auto manual = std::make_unique<system::ManualClock>(Date::FromParts(2024, 5, 1, 9));
        clock = manual.get();
        setup.clock = std::move(manual);
        setup.input = &in;
        setup.output = &out;
        setup.messageBoxPolicy = system::ConsoleMessageBox::Policy::DefaultButton;
        return setup;
    }

    KeloClient::Setup ClientSetup() {
        KeloClient::Setup setup;
        setup.createDemo = true;
        setup.application.workingFolder = dir.Path() / "work";
        setup.application.userName = "Anna Lindqvist";
        return setup;
    }

    Ptr<Record> NewRecord(std::string_view className) {
        auto record = std::make_shared<Record>(Engine());
        record->New(Class(className));
        return record;
    }
    Ptr<Record> Load(std::string_view className, std::int32_t id) {
        auto record = std::make_shared<Record>(Engine());
        record->Load(Class(className), id);
        return record;
    }
    // The id of the one record of the class whose field equals the value.
    std::int32_t IdOf(std::string_view className, std::string_view field, const Variant& value);

    // A file of the test's own, as another program left it; answers its path.
    std::string WriteFile(const std::string& name, const std::string& content) {
        const auto path = dir.Path() / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    const std::shared_ptr<kelo::Engine>& Engine() { return client.Data(); }
    Ptr<kelo::Class> Class(std::string_view name) { return Engine()->Metadata().Require(name); }
    Application& App() { return *client.App(); }

    testing::TempDirectory dir;
    std::istringstream in;
    std::ostringstream out;
    ClassFactory factory;
    system::ManualClock* clock = nullptr;
    system::System system;
    KeloClient client;
    SimulatedUser user;
};

}  // namespace ostrellix::standin::kelo

#include "apps/ostrellix/Machine.h"

#include <cstdlib>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IRecords.h"
#include "contracts/win/IShell.h"
#include "core/AddinClasses.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/mapi/MapiLibrary.h"
#include "standins/translator/Translator.h"

namespace ostrellix::host {

namespace {

constexpr const char* kKeloAddressList = "Kelo Address Book";

standin::outlook::ProfileSetup OutlookProfileSetup(std::string storePath, bool keloAddressList) {
    standin::outlook::ProfileSetup setup;
    setup.storePath = std::move(storePath);
    // The same people as the Kelo demo data's coworkers and users.
    setup.user = {"Anna Lindqvist", "anna.lindqvist@demo.example"};
    setup.organisation = "Demo";
    setup.colleagues = {{"Erik Holm", "erik.holm@demo.example"}};
    setup.sharedMailboxes = {"erik.holm@demo.example"};
    if (keloAddressList) setup.addressLists = {{kKeloAddressList, 3, {}}};
    return setup;
}

// OSTRELLIX_FAULT fails one call into the platform ("k", or "Member:k"),
// to see what the add-in does when Outlook, the data engine or the disk
// fails there.
void ArmFaultFromEnvironment(standin::system::FaultSwitch& faults) {
    const char* value = std::getenv("OSTRELLIX_FAULT");
    if (!value || !*value) return;
    const auto plan = standin::system::FaultSwitch::Parse(value);
    if (!plan) {
        throw ComError(errors::InvalidProcedureCall, "ostrellix",
                       std::string("OSTRELLIX_FAULT must be a call number or Member:number, not \"") + value + "\"");
    }
    faults.Arm(*plan);
}

}  // namespace

Machine::Machine(Setup setup) {
    standin::system::System::Setup system;
    system.configDirectory = setup.configDirectory;
    auto clock = std::make_unique<standin::system::ManualClock>(setup.startTime);
    clock_ = clock.get();
    system.clock = std::move(clock);
    system.input = setup.input;
    system.output = setup.output;
    system.inputIsTerminal = setup.inputIsTerminal;
    system.messageBoxPolicy = setup.messageBoxPolicy;
    system_ = std::make_unique<standin::system::System>(factory_, std::move(system));
    ArmFaultFromEnvironment(system_->Faults());

    profile_ = std::make_unique<standin::outlook::Profile>(
        OutlookProfileSetup(setup.outlookStore, setup.keloAddressList), *clock_);
    profile_->Store().CountIn(counters_);
    outlook_ = std::make_unique<standin::outlook::OutlookProgram>(factory_, *system_, *profile_, &messageFiles_);
    outlook_->Register();
    standin::mapi::MapiLibrary::Register(factory_);

    factory_.Register("Brannovika.Translator", [] { return std::make_shared<standin::translator::Translator>(); });
    addin::AddinClasses::Register(factory_, *system_, setup.moduleFolder);

    standin::kelo::KeloClient::Setup kelo;
    kelo.databasePath = setup.keloDatabase;
    kelo.createDemo = setup.createDemo;
    kelo.demoDocumentClass = setup.demoDocumentClass;
    kelo.demoMailTemplates = setup.demoMailTemplates;
    kelo.application.workingFolder = setup.workingFolder;
    kelo.application.language = setup.language;
    kelo_ = std::make_unique<standin::kelo::KeloClient>(factory_, *system_, std::move(kelo));
    kelo_->Data()->CountIn(counters_);
    kelo_->Data()->FailIn(system_->Faults());
    kelo_->App()->FailIn(system_->Faults());
    keloUser_ = std::make_unique<standin::kelo::SimulatedUser>(*kelo_, clock_);
    if (setup.keloAddressList) FillKeloAddressList();
}

void Machine::FillKeloAddressList() {
    // The Kelo persons with an address, as they are when Outlook reads the list.
    profile_->Book().SetListSource(kKeloAddressList, [this] {
        std::vector<std::pair<std::string, std::string>> people;
        const auto person = KeloApp().Classes()->FindByLabel(kelo::classlabel::Person);
        const auto email = person->Fields()->FindByLabel(23);
        const auto records = Cast<kelo::IRecords>(KeloApp().CreateObject("QVR.Records"));
        records->Open(person, nullptr);
        for (std::int32_t i = 1; i <= records->Count(); ++i) {
            const auto record = records->Item(i);
            people.emplace_back(record->Descriptive(), record->Text(email->Name()));
        }
        return people;
    });
}

Machine::~Machine() {
    IgnoreErrors([&] { kelo_->Shutdown(); });
    keloUser_.reset();
    kelo_.reset();
    // The add-in's module state would otherwise outlive the machine it ran on.
    IgnoreErrors(addin::Globals::ReleaseCachedObjects);
    outlook_.reset();
    profile_.reset();
}

Ptr<outlook::IApplication> Machine::StartOutlook() {
    Cast<win::IShell>(system_->CreateObject("WScript.Shell"))->Run("Outlook.exe", 1, false);
    return outlook_->Running();
}

void Machine::LoadAddin() { kelo_->LoadAddin("KeloOstrellix.Addin"); }

void Machine::StartClient() { kelo_->Start(); }

}  // namespace ostrellix::host

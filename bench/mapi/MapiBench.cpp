// The add-in's roads through the MAPI library with a typical mail carrying
// a 1 MB attachment: filing it (message by EntryID, SaveAs), the sent copy
// (Items.Add, CopyTo, Save, Delete), and a dropped file (folder Import).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "contracts/mapi/Constants.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/INameSpace.h"
#include "runtime/ClassFactory.h"
#include "standins/mapi/MapiLibrary.h"
#include "standins/mapi/MessageFileFormats.h"
#include "standins/outlook/OutlookProgram.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/StoreDatabase.h"
#include "standins/system/ManualClock.h"
#include "standins/system/System.h"

namespace ostrellix::standin::mapi {
namespace {

class Machine {
public:
    Machine() {
        std::filesystem::create_directories(directory_);
        auto manual = std::make_unique<system::ManualClock>(Date::FromParts(2024, 5, 1, 10, 0, 0));
        clock_ = manual.get();
        system::System::Setup setup;
        setup.configDirectory = directory_ / "config";
        setup.clock = std::move(manual);
        system_ = std::make_unique<system::System>(factory_, std::move(setup));
        outlook::ProfileSetup profile;
        profile.storePath = outlook::StoreDatabase::kInMemory;
        profile.user = {"Anna Berg", "anna.berg@ostrellix.example"};
        profile_ = std::make_unique<outlook::Profile>(profile, *clock_);
        program_ = std::make_unique<outlook::OutlookProgram>(factory_, *system_, *profile_, &formats_);
        MapiLibrary::Register(factory_);
        session = As<api::ISession>(factory_.Create(MapiLibrary::kSessionProgId));
        session->SetMAPIOBJECT(program_->Start()->Session()->MAPIOBJECT());
    }
    ~Machine() { std::filesystem::remove_all(directory_); }

    // A stored mail: subject, a 200-line body, three recipients, a user property, 1 MB attached.
    Ptr<api::IMessage> TypicalMail() {
        const auto mail = session->GetDefaultFolder(ol::olFolderInbox)->Items()->Add("IPM.Note");
        mail->SetSubject("Offert på kontorsstolar");
        std::string body;
        for (int i = 0; i < 200; ++i) body += "Rad " + std::to_string(i) + " i brevet om stolarna.\r\n";
        mail->SetBody(body);
        for (const char* to : {"Anna Berg", "dan@kund.example", "eva@holm.example"}) mail->Recipients()->Add(to);
        mail->Recipients()->ResolveAll(false);
        mail->UserProperties()->Add("KeloID", ol::olText, true)->SetValue(Variant("Document:4711"));
        std::mt19937 random(1);
        std::string data(1 << 20, '\0');
        for (char& c : data) c = static_cast<char>(random());
        const auto attachment = directory_ / "offert.pdf";
        std::ofstream(attachment, std::ios::binary) << data;
        mail->Attachments()->Add(Variant(attachment.string()), 1);
        mail->Save();
        return mail;
    }

    std::filesystem::path File(const std::string& name) const { return directory_ / name; }

    Ptr<api::ISession> session;

private:
    std::filesystem::path directory_ =
        std::filesystem::temp_directory_path() / ("ostrellix-bench-mapi-" + std::to_string(std::random_device{}()));
    ClassFactory factory_;
    system::ManualClock* clock_ = nullptr;
    std::unique_ptr<system::System> system_;
    std::unique_ptr<outlook::Profile> profile_;
    MessageFileFormats formats_;
    std::unique_ptr<outlook::OutlookProgram> program_;
};

void BM_FileMailAsMsg(benchmark::State& state) {
    Machine machine;
    const std::string id = machine.TypicalMail()->EntryID();
    const std::string path = machine.File("filed.msg").string();
    for (auto _ : state) machine.session->GetMessageFromID(id)->SaveAs(path, api::olMSG);
}
BENCHMARK(BM_FileMailAsMsg)->Unit(benchmark::kMillisecond);

void BM_SentCopy(benchmark::State& state) {
    Machine machine;
    const std::string id = machine.TypicalMail()->EntryID();
    const auto sentItems = machine.session->GetDefaultFolder(ol::olFolderSentMail);
    for (auto _ : state) {
        const auto copy = sentItems->Items()->Add("IPM.Note");
        machine.session->GetMessageFromID(id)->CopyTo(copy);
        copy->SetSent(true);
        copy->Save();
        copy->Delete();
    }
}
BENCHMARK(BM_SentCopy)->Unit(benchmark::kMillisecond);

void BM_ImportMsgIntoDrafts(benchmark::State& state) {
    Machine machine;
    const std::string path = machine.File("dropped.msg").string();
    machine.TypicalMail()->SaveAs(path, api::olMSG);
    const auto drafts = machine.session->GetDefaultFolder(ol::olFolderDrafts);
    for (auto _ : state) drafts->Import(path, api::olMSG).at(0)->Delete();
}
BENCHMARK(BM_ImportMsgIntoDrafts)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrellix::standin::mapi

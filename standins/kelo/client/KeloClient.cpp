#include "standins/kelo/client/KeloClient.h"

#include <algorithm>
#include <thread>

#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/client/AddInInstance.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/MailerDocument.h"
#include "standins/kelo/client/WorkDialog.h"
#include "standins/kelo/client/Windows.h"
#include "standins/kelo/engine/DemoData.h"
#include "standins/kelo/engine/Document.h"
#include "standins/kelo/engine/DocumentTemplates.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/Pool.h"
#include "standins/kelo/engine/Properties.h"
#include "standins/kelo/engine/Query.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Records.h"
#include "standins/kelo/engine/View.h"

namespace ostrellix::standin::kelo {

KeloClient::KeloClient(ClassFactory& factory, win::ISystem& system, Setup setup) : factory_(factory), system_(system) {
    if (setup.application.workingFolder.empty()) {
        setup.application.workingFolder = std::filesystem::temp_directory_path() / "ostrellix-kelo";
    }
    std::filesystem::create_directories(setup.application.workingFolder);
    engine_ = std::make_shared<Engine>(
        Engine::Setup{setup.databasePath, setup.databaseName, setup.serverName, setup.application.workingFolder},
        system.Clock());
    if (engine_->Created() && setup.createDemo) {
        DemoData::CreateSchema(*engine_, setup.demoDocumentClass);
        DemoData::Seed(engine_);
        if (setup.demoMailTemplates) DemoData::SeedMailTemplates(engine_);
    }
    application_ = std::make_shared<Application>(factory, system, engine_, std::move(setup.application));
    Register();
}

KeloClient::~KeloClient() {
    if (!shutDown_) IgnoreErrors([&] { Shutdown(); });
    addins_.clear();
    for (const std::string& progId : ProgIDs()) factory_.Unregister(progId);
    application_->DiscardWindows();
}

const std::vector<std::string>& KeloClient::ProgIDs() {
    static const std::vector<std::string> progIds = {
        "QVR.Record", "QVR.Records", "QVR.Filter", "QVR.Query", "QVR.Pool",
        "QVR.Document", "QVR.Properties", "QVR.View", "QVR.DocumentTemplates", "Kelo.Dialog",
        "QVR.MailerDocument"};
    return progIds;
}

void KeloClient::Register() {
    const std::shared_ptr<Engine> engine = engine_;
    const std::shared_ptr<DialogPlans> dialogs = application_->Dialogs();
    factory_.Register("QVR.Record", [engine] { return std::make_shared<Record>(engine); });
    factory_.Register("QVR.Records", [engine] { return std::make_shared<Records>(engine); });
    factory_.Register("QVR.Filter", [] { return std::make_shared<Filter>(); });
    factory_.Register("QVR.Query", [engine] { return std::make_shared<Query>(engine); });
    factory_.Register("QVR.Pool", [] { return std::make_shared<Pool>(); });
    factory_.Register("QVR.Document", [engine] { return std::make_shared<Document>(engine); });
    factory_.Register("QVR.Properties", [] { return std::make_shared<Properties>(); });
    factory_.Register("QVR.View", [] { return std::make_shared<View>(); });
    factory_.Register("QVR.DocumentTemplates", [] { return std::make_shared<DocumentTemplates>(); });
    factory_.Register("Kelo.Dialog", [dialogs] { return std::make_shared<WorkDialog>(dialogs); });
    factory_.Register("QVR.MailerDocument", [] { return std::make_shared<MailerDocument>(); });
}

void KeloClient::LoadAddin(std::string_view progId, std::int32_t connectMode) {
    const auto addin = As<ostrellix::kelo::IDTExtensibility2>(factory_.Create(progId));
    if (!addin) {
        throw ComError(errors::TypeMismatch, "Kelo.Application",
                       "The class " + std::string(progId) + " is not an add-in (it lacks IDTExtensibility2)");
    }
    auto instance = std::make_shared<AddInInstance>(std::string(progId));
    Variant custom;
    addin->OnConnection(application_, connectMode, instance, custom);
    addins_.push_back({instance, addin});
    application_->RunPending();
}

void KeloClient::Start() {
    started_ = true;
    application_->Events().StartUpComplete.Raise();
    for (const LoadedAddin& loaded : std::vector<LoadedAddin>(addins_)) {
        Variant custom;
        loaded.addin->OnStartupComplete(custom);
    }
    application_->RunPending();
}

void KeloClient::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    application_->Events().ShutDown.Raise();
    for (const LoadedAddin& loaded : std::vector<LoadedAddin>(addins_)) {
        Variant custom;
        loaded.addin->OnBeginShutdown(custom);
    }
    for (const auto& inspector : application_->WindowList().Inspectors()) inspector->Close();
    for (const auto& explorer : application_->WindowList().Explorers()) explorer->Close();
    const std::vector<LoadedAddin> loaded = std::move(addins_);
    addins_.clear();
    for (const LoadedAddin& each : loaded) {
        Variant custom;
        each.addin->OnDisconnection(kRemoveHostShutdown, custom);
    }
}

std::vector<ObjectPtr> KeloClient::AddinObjects() const {
    std::vector<ObjectPtr> objects;
    for (const LoadedAddin& loaded : addins_) {
        if (const ObjectPtr object = loaded.instance->Object()) objects.push_back(object);
    }
    return objects;
}

void KeloClient::UnloadAddin(std::string_view progId) {
    const auto found = std::find_if(addins_.begin(), addins_.end(), [&](const LoadedAddin& loaded) {
        return text::EqualsIgnoreCase(loaded.instance->ProgID(), progId);
    });
    if (found == addins_.end()) {
        throw ComError(errors::InvalidProcedureCall, "Kelo.Application",
                       "The add-in " + std::string(progId) + " is not loaded");
    }
    const LoadedAddin loaded = *found;
    addins_.erase(found);
    Variant custom;
    loaded.addin->OnDisconnection(kRemoveUserClosed, custom);
}

void KeloClient::Wait(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    for (;;) {
        application_->FireTimers();
        const auto now = std::chrono::steady_clock::now();
        if (now >= end) return;
        auto pause = end - now;
        if (const std::optional<Date> next = application_->Timers().NextDue()) {
            const double seconds = (next->Serial() - system_.Clock().Now().Serial()) * 86400.0;
            const auto untilDue = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                std::chrono::duration<double>(std::max(0.0, seconds)));
            pause = std::min<std::chrono::steady_clock::duration>(pause, untilDue);
        }
        std::this_thread::sleep_for(pause);
    }
}

}  // namespace ostrellix::standin::kelo

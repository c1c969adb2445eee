#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/kelo/IDTExtensibility2.h"
#include "contracts/win/ISystem.h"
#include "runtime/ClassFactory.h"
#include "standins/kelo/client/Application.h"

namespace ostrellix::standin::kelo {

class AddInInstance;
class Engine;

// The Kelo client on this machine: opens its database (a file, or
// ":memory:"), makes the application object, registers the client's
// classes in the class factory ("QVR.Record", "QVR.Records", "QVR.Filter",
// "QVR.Query", "QVR.Pool", "QVR.Document", "QVR.Properties", "QVR.View",
// "QVR.DocumentTemplates", "Kelo.Dialog"; removed again when the client
// goes) and loads add-ins by ProgID as the real client does:
// OnConnection on load, StartUpComplete and OnStartupComplete on Start,
// and on Shutdown the ShutDown event, OnBeginShutdown, the windows
// closing, and OnDisconnection.
class KeloClient {
public:
    struct Setup {
        std::string databasePath = ":memory:";
        std::string databaseName;  // of a new database; the file's stem by default
        std::string serverName = "localhost";
        bool createDemo = false;   // a new database gets the demo schema and data
        bool demoDocumentClass = true;  // the demo schema has the document class
        bool demoMailTemplates = false;  // the demo data has mail templates
        Application::Setup application;  // its working folder is made when absent
    };

    // Connect modes of OnConnection and remove modes of OnDisconnection.
    static constexpr std::int32_t kConnectAfterStartup = 0;
    static constexpr std::int32_t kConnectStartup = 1;
    static constexpr std::int32_t kRemoveHostShutdown = 0;
    static constexpr std::int32_t kRemoveUserClosed = 1;

    KeloClient(ClassFactory& factory, win::ISystem& system, Setup setup);
    // Shuts down when that was not done (errors of add-ins are ignored then).
    ~KeloClient();
    KeloClient(const KeloClient&) = delete;
    KeloClient& operator=(const KeloClient&) = delete;

    const Ptr<Application>& App() const { return application_; }
    const std::shared_ptr<Engine>& Data() const { return engine_; }
    static const std::vector<std::string>& ProgIDs();

    // Raises 429 for an unknown ProgID and 13 for an object that is no add-in.
    void LoadAddin(std::string_view progId, std::int32_t connectMode = kConnectStartup);
    void Start();
    void Shutdown();
    // The objects the loaded add-ins left in their add-in instances, in load order.
    std::vector<ObjectPtr> AddinObjects() const;
    // The user unloads an add-in.
    void UnloadAddin(std::string_view progId);
    // Lets real time pass, firing timers as they fall due (for a client on
    // the machine's clock).
    void Wait(std::chrono::milliseconds duration);

private:
    struct LoadedAddin {
        Ptr<AddInInstance> instance;
        Ptr<ostrellix::kelo::IDTExtensibility2> addin;
    };
    void Register();

    ClassFactory& factory_;
    win::ISystem& system_;
    std::shared_ptr<Engine> engine_;
    Ptr<Application> application_;
    std::vector<LoadedAddin> addins_;
    bool started_ = false;
    bool shutDown_ = false;
};

}  // namespace ostrellix::standin::kelo

#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/ITranslator.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/win/ISystem.h"
#include "runtime/Collection.h"

namespace ostrellix::addin {

class Addin;
class Options;
class Synchronizer;

// The add-in's process-wide state: the connections to the Kelo client,
// Outlook and the MAPI library, the translation bundle, the options, the
// synchronizer, the loaded add-in, and the object registry that keeps event
// listeners and waiting objects alive. Every class reaches the connections
// through these accessors, never through copies of its own. All of it runs
// on the host's user-interface thread.
class Globals {
public:
    // Set once when the add-in's classes are registered: the operating
    // system, and the folder the add-in was loaded from.
    static void SetPlatform(win::ISystem* system, std::string moduleFolder);
    static win::ISystem& System();
    static const std::string& ModuleFolder();

    // Raises "Not connected to application" when the host is not connected.
    static Ptr<kelo::IApplication> Application();
    static bool IsConnectedToApplication();
    // Connect first, starting Outlook when needed / only to a running one.
    static Ptr<outlook::IApplication> Outlook();
    static Ptr<outlook::IApplication> OutlookIfRunning();
    static Ptr<mapi::ISession> Redemption();
    static Ptr<kelo::ITranslator> ResourceBundle();
    static Ptr<addin::Options> Options();
    // Created on first request.
    static Ptr<addin::Synchronizer> Synchronizer();
    static Ptr<addin::Addin> Addin();
    static void SetAddin(const Ptr<addin::Addin>& addin);

    static std::int16_t GetOutlookMajorVersion();

    static void ConnectToApplication(const ObjectPtr& application);
    static bool IsOutlookRunning();
    static void ConnectToOutlook(bool startIfNotRunning);
    static void ConnectToRedemption();
    static bool IsRedemptionRunning();
    static void SetupEventListeners();
    static void DisconnectOutlookAndRedemption();
    static void ReleaseCachedObjects();

    // The object registry: identity, not equality, decides what is removed.
    static void AddEventListener(const ObjectPtr& object);
    static void RemoveEventListener(const ObjectPtr& object);
    static std::int32_t EventListenerCount();
};

}  // namespace ostrellix::addin

#include "compose/NewAppointmentEx.h"

#include "compose/NewAppointment.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IFolder.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {
constexpr DebugLog Log("NewAppointmentEx - ");
}

void NewAppointmentEx::NewAppointmentFromContext(const ObjectPtr& context) {
    const auto synchronizer = Globals::Synchronizer();
    link_ = synchronizer->GetRecordFromContext(context);
    m_OutlookExplorer = Must(synchronizer->CalendarFolder()).GetExplorer();
    auto& events = m_OutlookExplorer->Events();
    explorerEvents_.push_back(events.Close.Connect([this] { OnExplorerClose(); }));
    explorerEvents_.push_back(events.FolderSwitch.Connect([this] { OnFolderSwitch(); }));
    explorerEvents_.push_back(events.SelectionChange.Connect([] { Log("m_OutlookExplorer_SelectionChange"); }));
    TrackItems(m_OutlookExplorer->CurrentFolder()->Items());
    m_OutlookInspectors = Globals::Outlook()->Inspectors();
    newInspector_ = m_OutlookInspectors->Events().NewInspector.Connect(
        [this](const Ptr<outlook::IInspector>& inspector) { OnNewInspector(inspector); });
    m_OutlookExplorer->Display();
    Globals::AddEventListener(shared_from_this());
}

void NewAppointmentEx::TrackItems(const Ptr<outlook::IItems>& items) {
    for (auto& connection : itemsEvents_) connection.Disconnect();
    itemsEvents_.clear();
    m_OutlookItems = items;
    if (!items) return;
    auto& events = items->Events();
    itemsEvents_.push_back(events.ItemAdd.Connect([this](const Ptr<outlook::IItem>& added) { OnItemAdd(added); }));
    itemsEvents_.push_back(
        events.ItemChange.Connect([](const Ptr<outlook::IItem>&) { Log("m_OutlookItems_ItemChange"); }));
    itemsEvents_.push_back(events.ItemRemove.Connect([] { Log("m_OutlookItems_ItemRemove"); }));
}

void NewAppointmentEx::OnFolderSwitch() {
    Log("m_OutlookExplorer_FolderSwitch");
    const auto folder = m_OutlookExplorer->CurrentFolder();
    TrackItems(folder->DefaultItemType() == outlook::olAppointmentItem ? folder->Items() : nullptr);
}

void NewAppointmentEx::OnNewInspector(const Ptr<outlook::IInspector>& inspector) {
    const auto self = shared_from_this();
    Log("m_OutlookInspectors_NewInspector");
    Trap(
        [&] {
            Log(inspector->Caption());
            const auto item = As<outlook::IAppointmentItem>(inspector->CurrentItem());
            if (!item || !item->EntryID().empty()) return;
            const WaitCursor wait;
            m_OutlookInspector = inspector;
            inspectorClose_ = inspector->Events().Close.Connect([this] { OnInspectorClose(); });
            Globals::Synchronizer()->InitializeItemFromLink(item, link_);
            std::make_shared<NewAppointment>()->NewAppointmentFromLinkWithInspector(m_OutlookItems, item, inspector,
                                                                                   link_);
        },
        [](const ComError& error) { Tools::LogError(error, "NewAppointmentEx.m_OutlookInspectors_NewInspector"); });
}

void NewAppointmentEx::OnItemAdd(const Ptr<outlook::IItem>& added) {
    const auto self = shared_from_this();
    Log("m_OutlookItems_ItemAdd");
    Trap(
        [&] {
            if (Globals::Synchronizer()->IsItemEnabledForSynchronization(added) || !added->Body().empty()) return;
            const WaitCursor wait;
            std::make_shared<NewAppointment>()->SaveWithLink(Cast<outlook::IAppointmentItem>(added), link_);
        },
        [](const ComError& error) { Tools::LogError(error, "NewAppointmentEx.m_OutlookItems_ItemAdd"); });
}

void NewAppointmentEx::OnInspectorClose() {
    const auto self = shared_from_this();
    Log("m_OutlookInspector_Close");
    // Closing raises the explorer's Close, whose Shutdown lets go of it.
    const auto explorer = m_OutlookExplorer;
    explorer->Close();
}

void NewAppointmentEx::OnExplorerClose() {
    const auto self = shared_from_this();
    Log("m_OutlookExplorer_Close");
    Shutdown();
}

void NewAppointmentEx::Shutdown() {
    IgnoreErrors([&] {
        Log("Shutdown");
        for (auto& connection : explorerEvents_) connection.Disconnect();
        explorerEvents_.clear();
        newInspector_.Disconnect();
        inspectorClose_.Disconnect();
        TrackItems(nullptr);
        m_OutlookExplorer.reset();
        m_OutlookInspector.reset();
        m_OutlookInspectors.reset();
        link_.reset();
        Globals::RemoveEventListener(shared_from_this());
    });
}

}  // namespace ostrellix::addin

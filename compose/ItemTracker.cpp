#include "compose/ItemTracker.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IInspector.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

void ItemTracker::Track(const Ptr<outlook::IItems>& items, const Ptr<outlook::IItem>& item,
                        const Ptr<outlook::IInspector>& inspector, const Ptr<kelo::IRecord>& link) {
    link_ = link;
    m_OutlookItem = item;
    m_OutlookInspector = inspector;
    m_OutlookItems = items;
    auto& itemEvents = Must(item).Events();
    connections_.push_back(itemEvents.Write.Connect([this](bool&) { OnItemWrite(); }));
    connections_.push_back(itemEvents.Close.Connect([this](bool&) { OnItemClose(); }));
    auto& windowEvents = Must(inspector).Events();
    connections_.push_back(windowEvents.Close.Connect([this] { OnInspectorClose(); }));
    connections_.push_back(windowEvents.Deactivate.Connect([this] { OnInspectorDeactivate(); }));
    connections_.push_back(
        Must(items).Events().ItemAdd.Connect([this](const Ptr<outlook::IItem>& added) { OnItemAdd(added); }));
    TraceOnly();
    Globals::AddEventListener(shared_from_this());
}

void ItemTracker::TraceOnly() {
    auto& itemEvents = m_OutlookItem->Events();
    connections_.push_back(itemEvents.Open.Connect([this](bool&) { log_("m_OutlookItem_Open"); }));
    connections_.push_back(itemEvents.Send.Connect([this](bool&) { log_("m_OutlookItem_Send"); }));
    auto& itemsEvents = m_OutlookItems->Events();
    connections_.push_back(
        itemsEvents.ItemChange.Connect([this](const Ptr<outlook::IItem>&) { log_("m_OutlookItems_ItemChange"); }));
    connections_.push_back(itemsEvents.ItemRemove.Connect([this] { log_("m_OutlookItems_ItemRemove"); }));
}

void ItemTracker::OnItemWrite() {
    log_("m_OutlookItem_Write");
    written_ = true;
}

void ItemTracker::OnItemClose() {
    log_("m_OutlookItem_Close");
    entryId_ = m_OutlookItem->EntryID();
}

void ItemTracker::OnInspectorClose() {
    // Shutdown leaves the registry, which may hold the last reference.
    const auto self = shared_from_this();
    log_("m_OutlookInspector_Close");
    closed_ = true;
    if (!written_) {
        Shutdown();
    } else if (entryId_.empty()) {
        entryId_ = m_OutlookItem->EntryID();
    }
}

void ItemTracker::OnInspectorDeactivate() {
    const auto self = shared_from_this();
    log_("m_OutlookInspector_Deactivate");
    if (!written_ && closed_) Shutdown();
}

void ItemTracker::OnItemAdd(const Ptr<outlook::IItem>& added) {
    const auto self = shared_from_this();
    log_("m_OutlookItems_ItemAdd");
    Trap(
        [&] {
            if (added->EntryID() == entryId_) File(added);
        },
        [&](const ComError& error) { Tools::LogError(error, name_ + ".m_OutlookItems_ItemAdd"); });
    Shutdown();
}

void ItemTracker::FileWithLink(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& link) {
    log_("SaveWithLink");
    if (!item) return;
    const WaitCursor wait;
    const auto synchronizer = Globals::Synchronizer();
    const auto record = CreateRecord();
    if (!record) return;
    synchronizer->LinkRecordToRecord(record, link);
    UpdateRecord(record, item);
    if (!AskHook(record)) return;
    if (synchronizer->IsRecordValid(record)) {
        synchronizer->EnableSynchronization(item, record);
        return;
    }
    // The record window's KeloSynchListener pairs record and item once the user saves the record.
    const auto window = Globals::Application()->ShowRecord(record, nullptr, kelo::kShowModeNewWindow);
    window->SetValue("OutlookItem", Variant(item));
    window->Show();
    window->SetChanged(true);
}

void ItemTracker::Shutdown() {
    IgnoreErrors([&] {
        log_("Shutdown");
        Disconnect();
        m_OutlookInspector.reset();
        m_OutlookItem.reset();
        m_OutlookItems.reset();
        Release();
        Globals::RemoveEventListener(shared_from_this());
    });
}

void ItemTracker::Disconnect() {
    for (auto& connection : connections_) connection.Disconnect();
    connections_.clear();
}

}  // namespace ostrellix::addin

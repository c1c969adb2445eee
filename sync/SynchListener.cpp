#include "sync/SynchListener.h"

#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("SyncListener - ");

}  // namespace

void SynchListener::Initialize() {
    Log("Initialize");
    const auto sync = Globals::Synchronizer();
    Watch(m_OutlookTasks, sync->TasksFolder(), "m_OutlookTasks_ItemChange", &Options::SynchronizeTasks);
    Watch(m_OutlookContacts, sync->ContactsFolder(), "m_OutlookContacts_ItemChange", &Options::SynchronizeContacts);
    Watch(m_OutlookAppointments, sync->CalendarFolder(), "m_OutlookAppointments_ItemChange",
          &Options::SynchronizeAppointments);
}

void SynchListener::Watch(Watched& watched, const Ptr<outlook::IFolder>& folder, const char* handler,
                          bool (Options::*option)()) {
    watched.items = Must(folder).Items();
    watched.change = watched.items->Events().ItemChange.Connect(
        [this, handler, option](const Ptr<outlook::IItem>& item) { OnItemChange(handler, option, item); });
}

void SynchListener::OnItemChange(const char* handler, bool (Options::*option)(), const Ptr<outlook::IItem>& item) {
    bool on = false;
    Trap(
        [&] {
            Log(handler);
            on = (Must(Globals::Options()).*option)();
        },
        [&](const ComError& error) { Tools::ReportError(error, std::string("SynchListener.") + handler); });
    if (on) SynchronizeItem(item);
}

void SynchListener::SynchronizeItem(const Ptr<outlook::IItem>& item) {
    const auto self = SelfAs<SynchListener>();
    Trap(
        [&] {
            const auto sync = Globals::Synchronizer();
            if (!sync->IsSynchronizationEnabled()) return;
            // Empty (the checksums cannot tell) counts as unchanged.
            const Variant modified = sync->IsItemModifiedSinceLastSynchronization(item);
            if (!modified.ToBoolean()) return;
            const auto record = sync->FindRecordFromItem(item);
            if (!record) return;
            const WaitCursor wait;
            sync->UpdateRecordFromItem(record, item);
            sync->UpdateSynchronizationInformation(item, record);
        },
        [](const ComError& error) { Tools::ReportError(error, "SynchListener.SynchronizeItem"); });
}

}  // namespace ostrellix::addin

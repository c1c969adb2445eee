#include "sync/KeloSynchListener.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IField.h"
#include "contracts/kelo/IFields.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("KeloSynchListener - ");

constexpr std::int32_t kYesNoQuestion = 36;
constexpr std::int32_t kAnswerYes = 6;
// The to-do's one-line contact text.
constexpr std::int32_t kContactFieldLabel = 1;

bool SynchronizesKind(const Ptr<outlook::IItem>& item) {
    const auto options = Globals::Options();
    if (Is<outlook::IContactItem>(item)) return options->SynchronizeContacts();
    if (Is<outlook::IAppointmentItem>(item)) return options->SynchronizeAppointments();
    if (Is<outlook::ITaskItem>(item)) return options->SynchronizeTasks();
    return false;
}

// The record its first relation to a record of that class label links to; nothing when none.
Ptr<kelo::IRecord> Linked(const Ptr<kelo::IRecord>& record, std::int32_t classLabel) {
    const auto fields = record->Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (field->Type() != kelo::fieldtype::RelationToOne) continue;
        const auto counterpart = field->Counterpart();
        if (counterpart && counterpart->Class()->Label() == classLabel) return record->Linked(field->Name());
    }
    return nullptr;
}

}  // namespace

void KeloSynchListener::Connect(const Ptr<kelo::IInspector>& keloInspector, std::string_view tagName) {
    m_KeloInspector = keloInspector;
    tagName_ = tagName;
    keloInspector->SetValue(tagName_, Variant(SelfAs<KeloSynchListener>()));
    auto& events = keloInspector->Events();
    beforeShow_ = events.BeforeShow.Connect([this] { OnBeforeShow(); });
    afterSave_ = events.AfterSave.Connect([this] { OnAfterSave(); });
    afterClose_ = events.AfterClose.Connect([this] { OnAfterClose(); });
}

void KeloSynchListener::Disconnect() {
    beforeShow_.Disconnect();
    afterSave_.Disconnect();
    afterClose_.Disconnect();
    if (const auto inspector = std::move(m_KeloInspector)) {
        for (const std::string_view name : {std::string_view(tagName_), std::string_view(kOutlookItem),
                                            std::string_view(kOutlookItemDelete)}) {
            inspector->SetValue(name, Variant());
        }
    }
}

Ptr<outlook::IItem> KeloSynchListener::StoredItem() {
    const Variant value = m_KeloInspector->Value(kOutlookItem);
    return value.IsObject() ? value.ToObjectAs<outlook::IItem>() : nullptr;
}

void KeloSynchListener::OnBeforeShow() {
    Trap(
        [&] {
            Log("BeforeShow");
            // A new to-do made from a company or person carries their contact details.
            const auto record = m_KeloInspector->Record();
            if (record->Class()->Label() != kelo::classlabel::ToDo || !(record->State() & kelo::recordstate::New)) return;
            const auto field = record->Class()->Fields()->FindByLabel(kContactFieldLabel);
            if (!field || !record->Text(field->Name()).empty()) return;
            const std::string contact = Globals::Synchronizer()->BuildContactInformation(
                Linked(record, kelo::classlabel::Company), Linked(record, kelo::classlabel::Person));
            if (!contact.empty()) record->SetValue(field->Name(), Variant(contact));
        },
        [](const ComError& error) { Log("BeforeShow, Error: " + error.Description()); });
}

void KeloSynchListener::OnAfterSave() {
    const auto self = SelfAs<KeloSynchListener>();
    Trap(
        [&] {
            Log("AfterSave");
            const auto record = m_KeloInspector->Record();
            const std::int32_t label = record->Class()->Label();
            if (label != kelo::classlabel::Person && label != kelo::classlabel::ToDo) return;
            const auto sync = Globals::Synchronizer();
            if (!sync->IsSynchronizationEnabled()) return;
            auto item = StoredItem();
            if (!item) item = sync->FindItemFromRecord(record);
            SaveInOutlook(item, record);
        },
        [](const ComError& error) { Tools::ReportError(error, "KeloSynchListener.m_KeloInspector_AfterSave"); });
}

void KeloSynchListener::SaveInOutlook(const Ptr<outlook::IItem>& found, const Ptr<kelo::IRecord>& record) {
    const auto sync = Globals::Synchronizer();
    const bool valid = sync->IsRecordValidForSynchronization(record);
    if (!found) {
        if (!valid || Tools::ShowMessage(Tools::GetText("SaveInOutlook"), kYesNoQuestion) != kAnswerYes) return;
        const auto item = sync->CreateItemFromRecord(record);
        sync->UpdateItemFromRecord(item, record);
        sync->EnableSynchronization(item, record);
        return;
    }
    if (!valid) {
        sync->DisableSynchronizationForItem(found);
        return;
    }
    if (SynchronizesKind(found)) sync->UpdateItemFromRecord(found, record);
    sync->EnableSynchronization(found, record);
}

void KeloSynchListener::OnAfterClose() {
    // Disconnect drops the window's hold on this listener.
    const auto self = SelfAs<KeloSynchListener>();
    Trap(
        [&] {
            Log("AfterClose");
            const auto item = StoredItem();
            if (item && m_KeloInspector->Value(kOutlookItemDelete).ToBoolean()) {
                Globals::Redemption()->GetMessageFromID(item->EntryID())->Delete();
            }
        },
        [](const ComError& error) { Tools::ReportError(error, "KeloSynchListener.m_KeloInspector_AfterClose"); });
    Disconnect();
}

}  // namespace ostrellix::addin

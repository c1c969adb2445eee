#include "compose/NewAppointment.h"

#include "contracts/outlook/IFolder.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/WaitCursor.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

NewAppointment::NewAppointment() : ItemTracker("NewAppointment", DebugLog("NewAppointment - ")) {}

void NewAppointment::NewAppointmentFromContext(const ObjectPtr& context) { FromContext(context, nullptr); }

void NewAppointment::NewAppointmentFromContextWithSubject(const ObjectPtr& context, std::string_view subject) {
    FromContext(context, &subject);
}

void NewAppointment::FromContext(const ObjectPtr& context, const std::string_view* subject) {
    const WaitCursor wait;
    const auto synchronizer = Globals::Synchronizer();
    const auto link = synchronizer->GetRecordFromContext(context);
    const auto item = synchronizer->CreateAppointmentItemFromLink(link);
    if (subject) item->SetSubject(*subject);
    NewAppointmentFromLink(Must(synchronizer->CalendarFolder()).Items(), item, link);
}

void NewAppointment::NewAppointmentFromLink(const Ptr<outlook::IItems>& items,
                                            const Ptr<outlook::IAppointmentItem>& item,
                                            const Ptr<kelo::IRecord>& link) {
    NewAppointmentFromLinkWithInspector(items, item, Must(item).GetInspector(), link);
    item->Display();
}

void NewAppointment::NewAppointmentFromLinkWithInspector(const Ptr<outlook::IItems>& items,
                                                         const Ptr<outlook::IAppointmentItem>& item,
                                                         const Ptr<outlook::IInspector>& inspector,
                                                         const Ptr<kelo::IRecord>& link) {
    Log()("NewAppointmentFromLinkWithInspector");
    Track(items, item, inspector, link);
}

void NewAppointment::SaveWithLink(const Ptr<outlook::IAppointmentItem>& item, const Ptr<kelo::IRecord>& link) {
    FileWithLink(item, link);
}

Ptr<kelo::IRecord> NewAppointment::CreateRecord() { return Globals::Synchronizer()->CreateAppointmentRecord(); }

void NewAppointment::UpdateRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item) {
    Globals::Synchronizer()->UpdateRecordFromAppointmentItem(record, Cast<outlook::IAppointmentItem>(item));
}

bool NewAppointment::AskHook(const Ptr<kelo::IRecord>& record) { return Must(Globals::Addin()).OnNewAppointment(record); }

void NewAppointment::File(const Ptr<outlook::IItem>& added) {
    SaveWithLink(Cast<outlook::IAppointmentItem>(added), Link());
}

}  // namespace ostrellix::addin

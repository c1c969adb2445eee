#include "compose/NewMeeting.h"

#include "contracts/mapi/IAddressBook.h"
#include "contracts/mapi/IAddressEntry.h"
#include "contracts/mapi/IRecipient.h"
#include "contracts/mapi/IRecipients.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("NewMeeting - ");

constexpr std::int32_t kYesNoCancelQuestion = 35;
constexpr std::int32_t kAnswerYes = 6;
constexpr std::int32_t kAnswerNo = 7;
constexpr std::int32_t kRequiredAttendee = 1;

}  // namespace

void NewMeeting::NewMeetingFromContext(const ObjectPtr& context) {
    const std::string organizer = Must(Globals::Options()).MeetingOrganizer();
    const Calendar calendar = ChooseCalendar(organizer);
    if (calendar == Calendar::None) return;
    const WaitCursor wait;
    auto item = AddMeeting(calendar, organizer);
    item->SetReminderSet(false);
    item->SetMeetingStatus(outlook::olMeeting);
    Variant recipients;
    Globals::Synchronizer()->FindRecipientsFromContext(recipients, context);
    if (!recipients.IsArray() || recipients.ToArray().empty()) {
        item->Display();
        return;
    }
    item = AddAttendees(item, recipients.ToArray());
    Track(item);
    item->Display();
    Globals::AddEventListener(shared_from_this());
}

NewMeeting::Calendar NewMeeting::ChooseCalendar(const std::string& organizer) {
    if (organizer.empty()) return Calendar::Own;
    Ptr<mapi::IAddressEntry> entry;
    IgnoreErrors([&] { entry = Globals::Redemption()->AddressBook()->ResolveName(organizer); });
    // Unresolved, the organizer fails the command here.
    Must(entry).Name();
    switch (Tools::ShowMessage(Tools::GetText("UseXAsOrganizer", organizer), kYesNoCancelQuestion)) {
        case kAnswerYes: return Calendar::Organizer;
        case kAnswerNo: return Calendar::Own;
        default: return Calendar::None;
    }
}

Ptr<outlook::IAppointmentItem> NewMeeting::AddMeeting(Calendar calendar, const std::string& organizer) {
    const auto session = Globals::Outlook()->Session();
    Ptr<outlook::IFolder> folder;
    if (calendar == Calendar::Organizer) {
        folder = session->GetSharedDefaultFolder(session->CreateRecipient(organizer), outlook::olFolderCalendar);
    } else {
        folder = session->GetDefaultFolder(outlook::olFolderCalendar);
    }
    return Cast<outlook::IAppointmentItem>(Must(folder).Items()->Add(outlook::olAppointmentItem));
}

Ptr<outlook::IAppointmentItem> NewMeeting::AddAttendees(const Ptr<outlook::IAppointmentItem>& item,
                                                        const VariantArray& addresses) {
    item->Save();
    const auto message = Globals::Redemption()->GetMessageFromID(item->EntryID());
    const auto recipients = message->Recipients();
    for (const Variant& address : addresses) {
        const auto recipient = recipients->Add(address.ToString());
        recipient->SetType(kRequiredAttendee);
        recipient->Resolve();
    }
    message->Save();
    return Cast<outlook::IAppointmentItem>(Globals::Outlook()->Session()->GetItemFromID(message->EntryID()));
}

void NewMeeting::Track(const Ptr<outlook::IAppointmentItem>& item) {
    m_OutlookItem = item;
    m_OutlookInspector = item->GetInspector();
    auto& itemEvents = item->Events();
    connections_.push_back(itemEvents.Open.Connect([](bool&) { Log("m_OutlookItem_Open"); }));
    connections_.push_back(itemEvents.Write.Connect([this](bool&) {
        Log("m_OutlookItem_Write");
        written_ = true;
    }));
    connections_.push_back(itemEvents.Send.Connect([this](bool&) {
        Log("m_OutlookItem_Send");
        sent_ = true;
    }));
    connections_.push_back(itemEvents.Close.Connect([](bool&) { Log("m_OutlookItem_Close"); }));
    auto& windowEvents = m_OutlookInspector->Events();
    connections_.push_back(windowEvents.Deactivate.Connect([] { Log("m_OutlookInspector_Deactivate"); }));
    connections_.push_back(windowEvents.Close.Connect([this] { OnInspectorClose(); }));
}

void NewMeeting::OnInspectorClose() {
    // Shutdown leaves the registry, which may hold the last reference.
    const auto self = shared_from_this();
    Log("m_OutlookInspector_Close");
    // Stored only to take the attendees: a meeting the user dropped must not stay in the calendar.
    IgnoreErrors([&] {
        if (!written_ && !sent_) Globals::Redemption()->GetMessageFromID(m_OutlookItem->EntryID())->Delete();
    });
    Shutdown();
}

void NewMeeting::Shutdown() {
    IgnoreErrors([&] {
        Log("Shutdown");
        for (auto& connection : connections_) connection.Disconnect();
        connections_.clear();
        m_OutlookInspector.reset();
        m_OutlookItem.reset();
        Globals::RemoveEventListener(shared_from_this());
    });
}

}  // namespace ostrellix::addin

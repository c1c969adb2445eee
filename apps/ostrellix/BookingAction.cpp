#include "apps/ostrellix/BookingAction.h"

#include <ostream>

#include "apps/ostrellix/KeloActions.h"
#include "apps/ostrellix/RecordContext.h"
#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IOutlookAddin.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IExplorer.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "contracts/outlook/IRecipient.h"
#include "contracts/outlook/IRecipients.h"
#include "contracts/outlook/IUserProperty.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::host {

namespace {

namespace ol = outlook;
using standin::kelo::MenuCommands;

constexpr std::int32_t kYes = 6, kNo = 7, kCancel = 2;

Ptr<kelo::IOutlookAddin> OutlookCommands(Machine& machine) {
    for (const ObjectPtr& object : machine.Kelo().AddinObjects()) {
        if (const auto commands = As<kelo::IOutlookAddin>(object)) return commands;
    }
    throw ComError(errors::NotSupported, "ostrellix", "No loaded add-in offers the Outlook commands");
}

Ptr<ol::IItem> StoredItem(Machine& machine, const std::string& entryId) {
    Ptr<ol::IItem> item;
    if (!entryId.empty()) {
        IgnoreErrors([&] { item = machine.Outlook().Running()->Session()->GetItemFromID(entryId); });
    }
    return item;
}

// The record made in the action, as the user would read it in Kelo.
void PrintFiled(Machine& machine, ActionOutput& output, std::int32_t id) {
    const auto record = Cast<kelo::IRecord>(machine.KeloApp().CreateObject("QVR.Record"));
    record->Load(machine.KeloApp().Classes()->FindByName("todo"), id);
    const nlohmann::json filed = {{"action", "filed"}, {"id", id}, {"subject", record->Text("subject")},
                                  {"person", record->Text("person")}, {"company", record->Text("company")}};
    output.Result(filed, [&](std::ostream& out) {
        out << "Filed in Kelo: todo " << id << " \"" << record->Text("subject") << "\", person "
            << record->Text("person") << ", company " << record->Text("company") << "\n";
    });
}

void PrintMarks(ActionOutput& output, const Ptr<ol::IItem>& item) {
    nlohmann::json marks = nlohmann::json::object();
    for (const char* name : {"KeloID", "KeloDatabase", "KeloChecksum"}) {
        if (const auto property = item->UserProperties()->Find(name)) marks[name] = property->Value().ToString();
    }
    output.Result({{"action", "marks"}, {"entryId", item->EntryID()}, {"marks", marks}}, [&](std::ostream& out) {
        if (marks.empty()) {
            out << "The stored item carries no Kelo marks\n";
            return;
        }
        out << "Kelo marks on the stored item:";
        for (const auto& [name, value] : marks.items()) out << " " << name << "=" << value.get<std::string>();
        out << "\n";
    });
}

// The Inbox of this Outlook that an address has, or nothing.
Ptr<ol::IFolder> InboxOf(Machine& machine, const std::string& address) {
    const auto session = machine.Outlook().Running()->Session();
    Ptr<ol::IFolder> inbox;
    if (address == session->CurrentUser()->Address()) return session->GetDefaultFolder(ol::olFolderInbox);
    IgnoreErrors([&] { inbox = session->GetSharedDefaultFolder(session->CreateRecipient(address), ol::olFolderInbox); });
    return inbox;
}

}  // namespace

BookingAction::BookingAction(ActionGroup& group) {
    for (const bool task : {false, true}) {
        auto& book = group.Add(task ? "new-task" : "new-appointment",
                               task ? "A new Outlook task for the record, filed in Kelo once saved"
                                    : "A new Outlook appointment for the record, filed in Kelo once saved",
                               [this, task](Host& host, ActionOutput& output) { return Book(host, output, task); });
        book.add_option("--context", context_, "The record the user has open, CLASS:ID (for example person:3)")
            ->required();
        book.add_option("--subject", subject_, "The subject");
        if (!task) book.add_flag("--calendar", calendar_, "Book in a calendar window: the user starts the appointment there");
        auto* save = book.add_flag("--save-close", saveClose_, "The user saves and closes the item's window");
        book.add_flag("--discard", discard_, "The user closes the item's window without saving")->excludes(save);
    }
    auto& meeting = group.Add("new-meeting", "A new Outlook meeting with the record's people",
                              [this](Host& host, ActionOutput& output) { return Meeting(host, output); });
    meeting.add_option("--context", context_, "The record the user has open, CLASS:ID (for example person:3)")
        ->required();
    meeting.add_option("--organizer", organizer_, "The answer to \"book with the organizer?\": yes, no or cancel")
        ->check(CLI::IsMember({"yes", "no", "cancel"}));
    meeting.add_option("--subject", subject_, "The subject the user types");
    auto* send = meeting.add_flag("--send", send_, "The user sends the meeting");
    auto* save = meeting.add_flag("--save", saveClose_, "The user saves and closes the meeting")->excludes(send);
    meeting.add_flag("--discard", discard_, "The user closes the meeting without saving")->excludes(send)->excludes(save);
}

void BookingAction::Finish(Host& host, const Ptr<outlook::IInspector>& window, bool typeSubject) {
    standin::outlook::SimulatedUser user(host.TheMachine().Outlook().Running());
    if (subject_ && typeSubject) user.Type(window, "Subject", Variant(*subject_));
    if (send_) user.PressSend(window);
    if (saveClose_ || discard_) user.Close(window, saveClose_);
}

int BookingAction::Book(Host& host, ActionOutput& output, bool task) {
    Machine& machine = host.TheMachine();
    const auto window = RecordContext::Parse(context_).Open(host);
    const ActionEffects effects(machine);
    const auto outlook = machine.Outlook().Running();
    // The client hands a subject only to an appointment in its own window; otherwise the user types it.
    const bool clientSubject = !task && !calendar_ && subject_;
    KeloActions::RunCommand(host, output, window, [&](MenuCommands& menu, const ObjectPtr& on) {
        if (task) return menu.NewTask(on);
        if (clientSubject) return OutlookCommands(machine)->IOutlookAddin_NewAppointmentWithSubject(on, *subject_);
        menu.NewAppointment(on, calendar_);
    });
    Ptr<ol::IInspector> shown = outlook->ActiveInspector();
    if (calendar_) {
        const auto explorer = outlook->ActiveExplorer();
        shown = standin::outlook::SimulatedUser(outlook).OpenNew(ol::olAppointmentItem, explorer->CurrentFolder());
        const std::string body = shown->CurrentItem()->Body();
        output.Result({{"action", "calendar"}, {"window", explorer->Caption()}, {"body", body}}, [&](std::ostream& out) {
            out << "Outlook shows the calendar window \"" << explorer->Caption()
                << "\"; the user starts a new appointment in it:\n  Body: " << body << "\n";
        });
    }
    const auto item = shown->CurrentItem();
    Finish(host, shown, !clientSubject);
    bool filed = false;
    for (const auto& made : effects.Records()) {
        if (made.change != ActionEffects::Change::Made || made.className != "todo") continue;
        PrintFiled(machine, output, made.id);
        filed = true;
    }
    if (!filed) {
        std::string reason = "the add-in made no record";
        const auto& scripts = machine.KeloApp().ScriptEvents().History();
        if (!saveClose_ && !discard_) reason = "shown, not saved yet (--save-close saves it)";
        if (discard_) reason = "closed without saving";
        if (!scripts.empty() && scripts.back().name == (task ? "NewTask" : "NewAppointment") && scripts.back().handled) {
            reason = "a script of the client claimed the new record";
        }
        output.Result({{"action", "filing"}, {"reason", reason}},
                      [&](std::ostream& out) { out << "Not filed in Kelo: " << reason << "\n"; });
    }
    if (const auto stored = StoredItem(machine, item->EntryID())) PrintMarks(output, stored);
    machine.KeloUser().Close(window);
    return 0;
}

int BookingAction::Meeting(Host& host, ActionOutput& output) {
    Machine& machine = host.TheMachine();
    const auto window = RecordContext::Parse(context_).Open(host);
    if (!organizer_.empty() && !addin::Globals::Options()->MeetingOrganizer().empty()) {
        const std::int32_t answer = organizer_ == "yes" ? kYes : organizer_ == "no" ? kNo : kCancel;
        machine.KeloUser().QueueAnswers({answer});
    }
    const auto outlook = machine.Outlook().Running();
    const auto before = outlook->ActiveInspector();
    KeloActions::RunCommand(host, output, window, [](MenuCommands& menu, const ObjectPtr& on) { menu.NewMeeting(on); });
    const auto shown = outlook->ActiveInspector();
    if (!shown || SameObject(shown, before)) {
        output.Result({{"action", "meeting"}, {"booked", false}},
                      [](std::ostream& out) { out << "No meeting booked\n"; });
        machine.KeloUser().Close(window);
        return 0;
    }
    const auto meeting = Cast<ol::IAppointmentItem>(shown->CurrentItem());
    struct Attendee {
        std::string name, address;
        Ptr<ol::IFolder> inbox;
        std::int32_t waiting = 0;
    };
    std::vector<Attendee> attendees;
    const auto recipients = meeting->Recipients();
    for (std::int32_t i = 1; i <= recipients->Count(); ++i) {
        const auto recipient = recipients->Item(i);
        Attendee attendee{recipient->Name(), recipient->Address(), InboxOf(machine, recipient->Address())};
        if (attendee.inbox) attendee.waiting = attendee.inbox->Items()->Count();
        output.Result({{"action", "attendee"}, {"name", attendee.name}, {"address", attendee.address},
                       {"type", recipient->Type()}, {"resolved", recipient->Resolved()}},
                      [&](std::ostream& out) {
                          out << "Attendee: " << attendee.name << " <" << attendee.address << ">, type "
                              << recipient->Type() << (recipient->Resolved() ? ", resolved" : ", not resolved") << "\n";
                      });
        attendees.push_back(std::move(attendee));
    }
    // A meeting with attendees is stored already; one without is stored, if at all, by the user's save.
    std::string entryId = meeting->EntryID();
    Finish(host, shown, true);
    IgnoreErrors([&] { entryId = meeting->EntryID(); });
    std::string where;  // empty once Outlook no longer has it
    IgnoreErrors([&] { where = Must(StoredItem(machine, entryId)).Parent()->FolderPath(); });
    output.Result({{"action", "meeting"}, {"booked", true}, {"entryId", entryId}, {"folder", where}},
                  [&](std::ostream& out) {
                      if (!where.empty()) out << "The meeting is in " << where << "\n";
                      else if (entryId.empty()) out << "The meeting was never stored\n";
                      else out << "The meeting is no longer stored\n";
                  });
    if (!send_) {
        machine.KeloUser().Close(window);
        return 0;
    }
    for (const auto& attendee : attendees) {
        const bool delivered = attendee.inbox && attendee.inbox->Items()->Count() > attendee.waiting;
        const std::string inbox = delivered ? attendee.inbox->FolderPath() : std::string();
        output.Result({{"action", "request"}, {"address", attendee.address}, {"delivered", delivered}, {"inbox", inbox}},
                      [&](std::ostream& out) {
                          out << "Request for " << attendee.address
                              << (delivered ? " delivered to " + inbox : ": no Inbox of this Outlook received it")
                              << "\n";
                      });
    }
    machine.KeloUser().Close(window);
    return 0;
}

}  // namespace ostrellix::host

#include "apps/ostrellix/DemoCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "apps/ostrellix/OutgoingMailCapture.h"
#include "apps/ostrellix/RecordWindows.h"
#include "apps/ostrellix/SyncReport.h"
#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IUser.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Addin.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/Windows.h"
#include "standins/outlook/SimulatedUser.h"
#include "sync/Synchronizer.h"

namespace ostrellix::host {

namespace {

void Say(std::ostream& out, int step, const std::string& text) { out << "\n" << step << ". " << text << "\n"; }

// Two mails of the demo database's world. Maria Sjöberg of Nordvik Trading
// writes to the profile's user; the user writes to an address at Tallbacka
// Konsult's domain that none of its persons has.
constexpr const char* kReceivedMail =
    "From: =?utf-8?q?Maria_Sj=C3=B6berg?= <maria.sjoberg@nordvik.se>\r\n"
    "To: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
    "Subject: Spring order confirmed\r\n"
    "Date: Thu, 02 May 2024 10:00:00 +0200\r\n"
    "Received: from mx.nordvik.se; Thu, 02 May 2024 10:00:07 +0200\r\n"
    "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n"
    "Hello Anna,\r\n\r\nwe confirm the 40 units at the spring price.\r\n\r\nMaria\r\n";
constexpr const char* kSentMail =
    "From: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
    "To: Tallbacka orders <order@tallbacka.com>\r\n"
    "Subject: Consulting hours in May\r\n"
    "Date: Fri, 03 May 2024 14:30:00 +0200\r\n"
    "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n"
    "Hello,\r\n\r\nplease book two days of consulting for us in May.\r\n\r\nAnna Lindqvist\r\n";

std::filesystem::path WriteMail(Host& host, const char* name, const char* content) {
    const auto path = host.TheWorkspace().Work() / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    return path;
}

std::string OrNone(const std::string& value) { return value.empty() ? "none" : value; }

// The user drops the mail file on a Kelo window and saves the record window
// the add-in opens for it; false when the add-in filed nothing.
bool DropAndSave(Host& host, const ObjectPtr& target, const std::filesystem::path& file) {
    std::ostream& out = host.Out();
    auto& app = host.TheMachine().KeloApp();
    const auto before = app.WindowList().Inspectors();
    bool handled = false;
    addin::Globals::Addin()->IOutlookAddin_OptHandleDrop(target, file.string(), handled);
    bool filed = false;
    for (const auto& window : app.WindowList().Inspectors()) {
        if (std::ranges::count(before, window) > 0) continue;
        host.TheMachine().KeloUser().Save(window);
        const auto record = window->Record();
        out << "   Filed as document " << record->ID() << " \"" << record->Text("comment")
            << "\", person: " << OrNone(record->Text("person")) << ", company: " << OrNone(record->Text("company"))
            << ".\n";
        host.TheMachine().KeloUser().Close(window);
        filed = true;
    }
    if (!filed) out << "   Nothing was filed (see above; is dropping switched off? ostrellix options get AllowDragDrop).\n";
    return filed;
}

// Files a received mail found by its sender's address and a sent mail found
// by its recipient's domain, and says what each was linked to.
bool FileMails(Host& host) {
    std::ostream& out = host.Out();
    auto& user = host.TheMachine().KeloUser();
    const auto received = WriteMail(host, "Spring order confirmed.eml", kReceivedMail);
    const auto sent = WriteMail(host, "Consulting hours in May.eml", kSentMail);

    out << "   A mail from Maria Sjöberg <maria.sjoberg@nordvik.se> is dropped on the list of documents;\n"
        << "   the add-in finds her by her address, and her company through her:\n";
    bool filed = DropAndSave(host, user.OpenList("document"), received);

    out << "   A mail the user sent to <order@tallbacka.com>: no person has that address, but the add-in's\n"
        << "   lookup by address finds the company by its domain, and the mail is dropped on its record:\n";
    const auto company = addin::Globals::Synchronizer()->FindCompanyRecordFromEmail("order@tallbacka.com");
    if (company) {
        const auto window = user.OpenRecord(company->Class()->Name(), company->ID());
        filed = DropAndSave(host, window, sent) && filed;
        user.Close(window);
    } else {
        out << "   No company has the domain tallbacka.com.\n";
        filed = false;
    }
    // The files were only the user's means of handing the mails over.
    std::error_code ignored;
    std::filesystem::remove(received, ignored);
    std::filesystem::remove(sent, ignored);
    return filed;
}

// What the add-in did in Kelo record windows: each is saved as the user would.
bool PrintSaved(std::ostream& out, const std::vector<RecordWindows::Window>& windows) {
    for (const auto& window : windows) RecordWindows::Print(window, out << "   ");
    return std::ranges::any_of(windows, [](const RecordWindows::Window& window) { return window.saved; });
}

// In Outlook the user files a mail she received with the add-in's button,
// and sends one that the add-in files on its own; false when either was not.
bool FileFromOutlook(Host& host) {
    using addin::Globals;
    std::ostream& out = host.Out();
    Machine& machine = host.TheMachine();
    standin::outlook::SimulatedUser user(Globals::Outlook());

    standin::outlook::IncomingMail mail;
    mail.fromName = "Maria Sjöberg";
    mail.fromAddress = "maria.sjoberg@nordvik.se";
    mail.subject = "Delivery of the spring order";
    mail.body = "Hello Anna,\r\n\r\nthe 40 units leave our warehouse on Monday.\r\n\r\nMaria\r\n";
    const auto received = user.Receive(mail);
    out << "   Maria's mail \"" << mail.subject << "\" arrives; the user opens it and clicks the add-in's button:\n";
    const auto window = user.Open(received);
    RecordWindows clicked(machine);
    user.Click(window, "SaveMailToKelo");
    const bool receivedFiled = PrintSaved(out, clicked.Finish(true));
    // The click may have closed the window already.
    IgnoreErrors([&] { user.Close(window, false); });

    const auto options = Globals::Options();
    std::int16_t mode = options->SaveOutgoingMailFromOutlookMode();
    if (mode != 1 && mode != 2) {
        mode = 2;
        options->SetSaveOutgoingMailFromOutlookMode(mode);
        out << "   Mail sent from Outlook is saved in Kelo from now on (SaveOutgoingMailFromOutlookMode = 2; it stays "
               "on).\n";
    }
    const auto compose = user.OpenNew(outlook::olMailItem);
    user.Type(compose, "To", Variant("order@tallbacka.com"));
    user.Type(compose, "Subject", Variant("Consulting days confirmed"));
    user.Type(compose, "Body", Variant("Hello,\r\n\r\nthe 14th and 15th suit us well.\r\n\r\nAnna Lindqvist\r\n"));
    OutgoingMailCapture capture(machine);
    RecordWindows sent(machine);
    user.PressSend(compose);
    out << "   She sends \"Consulting days confirmed\" to <order@tallbacka.com>; a moment later the add-in files it:\n";
    capture.WaitForFiling();
    const bool sentFiled = PrintSaved(out, sent.Finish(true));
    if (!sentFiled) out << "   Nothing was filed: " << capture.WhyNotFiled(mode) << ".\n";
    return receivedFiled && sentFiled;
}

// A to-do of the user's in Kelo and its appointment in Outlook's calendar,
// paired as a first synchronization leaves them; the item's EntryID.
std::pair<std::int32_t, std::string> ToDoInCalendar(const std::string& subject, std::int32_t coworker, Date start) {
    using addin::Globals;
    const auto application = Globals::Application();
    auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
    record->New(application->Classes()->FindByName("todo"));
    record->SetValue("subject", Variant(subject));
    record->SetValue("start", start);
    record->SetValue("end", start.AddSeconds(3600));
    record->SetValue("responsible", Variant(coworker));
    record->Update();
    const auto sync = Globals::Synchronizer();
    const auto item = sync->CreateItemFromRecord(record);
    sync->UpdateItemFromRecord(item, record);
    item->Save();
    sync->EnableSynchronization(item, record);
    return {record->ID(), item->EntryID()};
}

// The user types a contact property in Outlook and saves the contact.
void EditInOutlook(const Ptr<outlook::IItem>& item, const char* property, const std::string& value) {
    standin::outlook::SimulatedUser user(addin::Globals::Outlook());
    const auto window = user.Open(item);
    user.Type(window, property, Variant(value));
    user.Save(window);
    user.Close(window, false);
}

// Maria's record goes to Outlook's contacts; her mobile number changed
// there reaches Kelo as the contact is saved, without a run; false when it
// did not. The number is put back the same way.
bool ContactInStep(Host& host) {
    using addin::Globals;
    std::ostream& out = host.Out();
    const auto options = Globals::Options();
    if (!options->SynchronizeContacts()) {
        options->SetSynchronizeContacts(true);
        out << "   Contacts take part in synchronization from now on (SynchronizeContacts; it stays on).\n";
    }
    auto& keloUser = host.TheMachine().KeloUser();
    const auto window = keloUser.OpenRecord("person", 1);
    const auto maria = window->Record();
    Globals::Addin()->IOutlookAddin_SendToOutlook(window);
    keloUser.Close(window);
    const auto sync = Globals::Synchronizer();
    const auto contact = sync->FindItemFromRecord(maria);
    if (!contact) {
        out << "   " << maria->Descriptive() << " did not reach Outlook's contacts.\n";
        return false;
    }
    out << "   She sends " << maria->Descriptive() << " to Outlook; the contact is in " << contact->Parent()->Name()
        << ".\n";
    const std::string before = maria->Text("mobile");
    const std::string changed = "+46 70 555 01 23";
    EditInOutlook(contact, "MobileTelephoneNumber", changed);
    const auto reread = [&] {
        auto record = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
        record->Load(maria->Class(), maria->ID());
        return record->Text("mobile");
    };
    const std::string arrived = reread();
    out << "   In Outlook she types the mobile number " << changed << " and saves the contact;\n"
        << "   in Kelo, without a run, the mobile number is now " << OrNone(arrived) << ".\n";
    EditInOutlook(contact, "MobileTelephoneNumber", before);
    out << "   She puts back " << OrNone(before) << " the same way; Kelo has " << OrNone(reread()) << ".\n";
    return arrived == changed;
}

// Each side changes one of two paired to-dos: each change reaches the
// other side as it is saved, and a run then finds them in step; false when
// either change did not arrive.
bool SynchronizeCalendar(Host& host) {
    using addin::Globals;
    using addin::PairReport;
    std::ostream& out = host.Out();
    const auto user = Globals::Application()->ActiveUser();
    const auto coworker = user->Record();
    if (!coworker) {
        out << "   " << user->Name() << " has no coworker record, so there is nothing to synchronize.\n";
        return false;
    }
    const auto sync = Globals::Synchronizer();
    if (!sync->IsSynchronizationEnabled()) {
        Globals::Options()->SetSynchronizationUser(coworker->ID());
        out << "   Synchronization is switched on for " << user->Name() << " (SynchronizationUser = " << coworker->ID()
            << "; it stays on).\n";
    }
    const bool contactInStep = ContactInStep(host);
    const Date now = host.TheMachine().Clock().Now();
    const Date tomorrow = Date::FromParts(now.Year(), now.Month(), now.Day()).AddDays(1);
    const auto call = ToDoInCalendar("Call Maria about the spring order", coworker->ID(), tomorrow.AddSeconds(9 * 3600));
    const auto plan = ToDoInCalendar("Plan the consulting days", coworker->ID(), tomorrow.AddSeconds(13 * 3600));
    out << "   Two of her to-dos for tomorrow are in her Outlook calendar, paired with their records.\n";

    auto& keloUser = host.TheMachine().KeloUser();
    const auto window = keloUser.OpenRecord("todo", call.first);
    keloUser.Edit(window, "subject", Variant("Call Maria about the summer order"));
    keloUser.Save(window);
    keloUser.Close(window);
    const auto item = Globals::Outlook()->Session()->GetItemFromID(call.second);
    const std::string inOutlook = item ? item->Subject() : std::string("gone");
    out << "   In Kelo she renames the call to \"Call Maria about the summer order\";\n"
        << "   as she saves it, the appointment in Outlook becomes \"" << inOutlook << "\".\n";
    EditInOutlook(Globals::Outlook()->Session()->GetItemFromID(plan.second), "Subject",
                  "Plan the consulting days with Tallbacka");
    auto record = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
    record->Load(Globals::Application()->Classes()->FindByName("todo"), plan.first);
    const std::string inKelo = record->Text("subject");
    out << "   In Outlook she renames the other appointment to \"Plan the consulting days with Tallbacka\";\n"
        << "   as she saves it, the to-do in Kelo becomes \"" << inKelo << "\".\n";

    SyncReport report;
    const Connection listening =
        sync->Events().PairSynchronized.Connect([&](const PairReport& pair) { report.Add(pair); });
    sync->SynchronizeWithWorkdialog(false);
    out << "   She synchronizes from Kelo; the run's report:\n";
    report.Print(out);
    return contactInStep && inOutlook == "Call Maria about the summer order" &&
           inKelo == "Plan the consulting days with Tallbacka";
}

}  // namespace

int DemoCommand::Run(Host& host) {
    using addin::Globals;
    std::ostream& out = host.Out();
    Machine& machine = host.TheMachine();
    out << "Ostrellix: the Outlook add-in of the Kelo client, on the workspace\n  "
        << host.TheWorkspace().Root().string() << "\n(lines marked | are the add-in's own debug output)\n";

    host.ShowDebugOutput(true);
    Say(out, 1, "The Kelo client starts and loads the add-in; Outlook is not running yet.");
    host.Start();
    const auto database = Globals::Application()->Database();
    out << "   Connected to the Kelo database \"" << database->Name() << "\" as "
        << Globals::Application()->ActiveUser()->Name() << "; the add-in leaves Outlook alone.\n";

    Say(out, 2, "The user starts Outlook.");
    host.ShowDebugOutput(false);
    machine.StartOutlook();
    out << "   Outlook " << machine.Outlook().Running()->Version() << " runs on the profile of "
        << machine.OutlookProfile().Setup().user.name << ".\n";

    Say(out, 3, "Thirty seconds later the add-in's connection timer finds Outlook and attaches to it.");
    host.ShowDebugOutput(true);
    machine.KeloUser().AdvanceTime(addin::kConnectionTimerInterval);
    host.ShowDebugOutput(false);
    const auto outlook = Globals::OutlookIfRunning();
    if (!outlook) {
        out << "   The add-in did not attach to Outlook (see ostrellix log).\n";
        return 2;
    }
    const std::string category = addin::Tools::GetText("CategoryName");
    const auto found = outlook->Session()->Categories()->Item(category);
    out << "   Attached to Outlook " << outlook->Version() << " (major version "
        << Globals::GetOutlookMajorVersion() << "); Outlook's category \"" << category << "\" "
        << (found ? "is there, colour " + std::to_string(found->Color()) : std::string("is missing")) << ".\n";

    Say(out, 4, "The add-in's options, read from the Kelo database and the user's settings:");
    const auto options = Globals::Options();
    out << "   drag and drop into Kelo:        " << (options->AllowDragDrop() ? "allowed" : "off") << "\n"
        << "   export to Outlook:              " << (options->AllowExport() ? "allowed" : "off") << "\n"
        << "   synchronize at start-up:        " << (options->SynchronizeAtStartup() ? "yes" : "no") << "\n"
        << "   save outgoing mail (mode):      " << options->SaveOutgoingMailMode() << "\n"
        << "   database tag of marked items:   " << options->OriginalServerName() << "."
        << options->OriginalDatabaseName() << "\n"
        << "   (all of them: ostrellix options list)\n";

    Say(out, 5, "The user files mail in Kelo by dropping mail files on Kelo windows.");
    const bool filed = FileMails(host);

    Say(out, 6, "The user files mail in Kelo from Outlook: with a button, and by sending it.");
    const bool filedFromOutlook = FileFromOutlook(host);

    Say(out, 7, "The user keeps her contacts and appointments in step with Kelo.");
    const bool synchronized = SynchronizeCalendar(host);

    Say(out, 8, "The Kelo client shuts down and lets the add-in go.");
    host.ShowDebugOutput(true);
    host.Stop();
    host.ShowDebugOutput(false);
    out << "\nDone.\n";
    return filed && filedFromOutlook && synchronized ? 0 : 2;
}

}  // namespace ostrellix::host

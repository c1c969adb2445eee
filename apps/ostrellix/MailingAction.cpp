#include "apps/ostrellix/MailingAction.h"

#include <ostream>

#include "apps/ostrellix/Mistake.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IPool.h"
#include "contracts/kelo/IProperties.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IMailItem.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/client/MenuCommands.h"
#include "standins/kelo/client/WorkDialog.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::host {

namespace {

namespace ol = outlook;

std::vector<std::int32_t> ParseIds(const std::string& text) {
    std::vector<std::int32_t> ids;
    for (const std::string& part : text::Split(text, ",")) {
        const std::string id = text::Trim(part);
        std::size_t used = 0;
        int value = 0;
        try {
            value = std::stoi(id, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != id.size() || value < 1) Mistake("--ids takes record ids such as 1,2,3, not \"" + text + "\"");
        ids.push_back(value);
    }
    return ids;
}

}  // namespace

MailingAction::MailingAction(ActionGroup& group) {
    auto& action = group.Add("mailing", "A mass mailing of records through Outlook, one mail each or one to all",
                             [this](Host& host, ActionOutput& output) { return Run(host, output); });
    action.add_option("--class", className_, "The class of the records mailed, by name (person ...)")->required();
    action.add_option("--ids", ids_, "The records chosen in the client, ID,ID,...")->required();
    auto* draft = action.add_option("--draft", draft_, "The EntryID of the Outlook draft to send (it is used up)");
    auto* subject = action.add_option("--subject", subject_, "Subject of a draft the user writes first; "
                                                             "<field> codes are filled per record")
                        ->excludes(draft);
    action.add_option("--body", body_, "Body of that draft, with <field> codes")->excludes(draft)->needs(subject);
    action.add_flag("--html", html_, "Write that body as HTML")->needs(subject);
    action.add_flag("--one-mail", oneMail_, "One mail to every address as blind copies, without merging");
    action.add_flag("--keep-all-sent", keepAllSent_, "Keep every mail in Sent Items, not only the first");
    action.add_flag("--allow-duplicates", allowDuplicates_, "Mail records whose address another one has too");
    action.add_flag("--dry-run", dryRun_, "Prepare every mail, send none (the draft is still used up)");
}

std::string MailingAction::Draft(Host& host, ActionOutput& output) {
    if (draft_) return *draft_;
    if (!subject_) Mistake("mailing takes the message: --draft ENTRYID, or --subject (and --body) to write one");
    standin::outlook::SimulatedUser user(host.TheMachine().Outlook().Running());
    const auto window = user.OpenNew(ol::olMailItem);
    const auto mail = Cast<ol::IMailItem>(window->CurrentItem());
    user.Type(window, "Subject", Variant(*subject_));
    if (body_) user.Type(window, html_ ? "HTMLBody" : "Body", Variant(*body_));
    user.Close(window, true);
    const std::string entryId = mail->EntryID();
    output.Result({{"action", "draft"}, {"entryId", entryId}, {"subject", *subject_}}, [&](std::ostream& out) {
        out << "Draft " << entryId << " saved in Drafts: " << *subject_ << "\n";
    });
    return entryId;
}

int MailingAction::Run(Host& host, ActionOutput& output) {
    Machine& machine = host.TheMachine();
    auto& app = machine.KeloApp();
    const auto cls = app.Classes()->FindByName(className_);
    if (!cls) Mistake("There is no class " + className_);
    const std::vector<std::int32_t> ids = ParseIds(ids_);
    const std::string entryId = Draft(host, output);

    // The client's messenger: a new mailing of the class, its settings as the options control leaves them.
    const auto engine = standin::kelo::MenuCommands(machine.Kelo()).NewMailing();
    engine->IMessenger_SetClass(cls);
    const auto settings = Cast<kelo::IProperties>(app.CreateObject("QVR.Properties"));
    engine->IMessenger_SaveProperties(settings);
    settings->SetValue("Message", Variant(entryId));
    settings->SetValue("SendOneByOne", Variant(!oneMail_));
    settings->SetValue("SaveOnlyFirstMail", Variant(!keepAllSent_));
    settings->SetValue("IgnoreDuplicates", Variant(!allowDuplicates_));
    engine->IMessenger_LoadProperties(settings);
    engine->IMessenger_Validate();

    const auto chosen = Cast<kelo::IPool>(app.CreateObject("QVR.Pool"));
    for (const std::int32_t id : ids) chosen->Add(id);
    const auto recipients = engine->IMessenger_OpenRecipients(chosen);
    const std::string field = settings->Value("Field").ToString();
    for (std::int32_t i = 1; i <= recipients->Count(); ++i) {
        const auto record = Cast<kelo::IRecord>(app.CreateObject("QVR.Record"));
        record->Load(cls, recipients->Item(i));
        const std::string address = record->Text(field);
        output.Result({{"action", "recipient"}, {"class", className_}, {"id", record->ID()},
                       {"name", record->Descriptive()}, {"address", address}},
                      [&](std::ostream& out) {
                          out << "Recipient " << className_ << " " << record->ID() << ": " << record->Descriptive()
                              << " <" << address << ">\n";
                      });
    }
    std::vector<std::int32_t> leftOut;
    for (const std::int32_t id : ids) {
        if (!recipients->Contains(id)) leftOut.push_back(id);
    }
    if (!leftOut.empty()) {
        output.Result({{"action", "left-out"}, {"class", className_}, {"ids", leftOut}}, [&](std::ostream& out) {
            out << "Left out (no usable address, or an address mailed already):";
            for (const std::int32_t id : leftOut) out << " " << className_ << " " << id;
            out << "\n";
        });
    }

    std::vector<standin::outlook::SentMail> sent;
    const Connection logged =
        machine.OutlookProfile().Mailer().Sent.Connect([&](const standin::outlook::SentMail& mail) { sent.push_back(mail); });
    const auto dialog = Cast<standin::kelo::WorkDialog>(app.CreateObject("Kelo.Dialog"));
    dialog->SetCaption("Sending mailing...");
    Ptr<kelo::IPool> notSent;
    const Connection work = dialog->Events().Work.Connect([&] { notSent = engine->IMessenger_Send(dialog, dryRun_); });
    const std::size_t before = app.Dialogs()->Reports().size();
    dialog->Show();
    for (std::size_t i = before; i < app.Dialogs()->Reports().size(); ++i) {
        const auto& report = app.Dialogs()->Reports()[i];
        // Each step follows the message naming the address it is for.
        const std::size_t offset = report.messages.size() - std::min(report.messages.size(), report.progress.size());
        for (std::size_t step = 0; step < report.progress.size(); ++step) {
            const std::string message = offset + step < report.messages.size() ? report.messages[offset + step] : "";
            output.Result({{"action", "progress"}, {"dialog", report.caption}, {"percent", report.progress[step]},
                           {"message", message}},
                          [&](std::ostream& out) {
                              out << report.caption << " " << report.progress[step] << "%: " << message << "\n";
                          });
        }
    }
    for (const auto& mail : sent) {
        const nlohmann::json object = {{"action", "sent"}, {"entryId", mail.entryId}, {"to", mail.to},
                                       {"bcc", mail.bcc},   {"subject", mail.subject}, {"keptAs", mail.keptAs}};
        output.Result(object, [&](std::ostream& out) {
            out << "Sent " << mail.entryId << "\n  To: " << mail.to << "\n";
            if (!mail.bcc.empty()) out << "  BCC: " << mail.bcc << "\n";
            out << "  Subject: " << mail.subject << "\n  "
                << (mail.keptAs.empty() ? std::string("Not kept in Sent Items") : "Kept in Sent Items as " + mail.keptAs)
                << "\n";
        });
    }
    std::vector<std::int32_t> unsent;
    for (std::int32_t i = 1; notSent && i <= notSent->Count(); ++i) unsent.push_back(notSent->Item(i));
    output.Result({{"action", "not-sent"}, {"class", className_}, {"ids", unsent}, {"dryRun", dryRun_}},
                  [&](std::ostream& out) {
                      out << (dryRun_ ? "Dry run: nothing sent. " : "") << "Not sent:";
                      if (unsent.empty()) out << " none";
                      for (const std::int32_t id : unsent) out << " " << className_ << " " << id;
                      out << "\n";
                  });
    return 0;
}

}  // namespace ostrellix::host

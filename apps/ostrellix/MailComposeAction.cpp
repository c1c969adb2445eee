#include "apps/ostrellix/MailComposeAction.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "apps/ostrellix/ActionEffects.h"
#include "apps/ostrellix/KeloActions.h"
#include "apps/ostrellix/OutgoingMailCapture.h"
#include "apps/ostrellix/RecordContext.h"
#include "apps/ostrellix/RecordWindows.h"
#include "compose/NewMail.h"
#include "contracts/kelo/IClass.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/File.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/client/MenuCommands.h"
#include "standins/kelo/client/ObjectList.h"
#include "standins/kelo/client/Recipient.h"
#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::host {

namespace {

namespace ol = outlook;
using standin::kelo::MenuCommands;

Ptr<ol::IItems> Folder(Host& host, std::int32_t type) {
    return host.TheMachine().Outlook().Running()->Session()->GetDefaultFolder(type)->Items();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ComError(errors::FileNotFound, "ostrellix", "Cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace

MailComposeAction::MailComposeAction(ActionGroup& group) {
    auto& mail = group.Add("new-mail", "A new Outlook mail from the record window",
                           [this](Host& host, ActionOutput& output) { return NewMail(host, output); });
    mail.add_option("--context", context_, "The record the user has open, CLASS:ID (for example person:3)")
        ->required();
    mail.add_option("--to", to_, "A recipient; repeat for more");
    mail.add_option("--cc", cc_, "A copy recipient; repeat for more");
    mail.add_option("--bcc", bcc_, "A blind copy recipient; repeat for more");
    mail.add_option("--subject", subject_, "The subject");
    auto* body = mail.add_option("--body", body_, "A plain text body");
    auto* html = mail.add_option("--html", html_, "An HTML body")->excludes(body);
    mail.add_option("--rtf", rtfFile_, "A file holding an RTF body")->excludes(body)->excludes(html);
    mail.add_option("--attach", attachments_, "A file to attach; repeat for more");
    mail.add_option("--template", template_, "A message file (.msg) the mail starts from");
    auto* send = mail.add_flag("--send", send_, "Send at once, never shown (the builder's Send)");
    mail.add_flag("--no-display", noDisplay_, "Send by Display with the display flag clear")->excludes(send);
    mail.add_flag("--press-send", userSends_, "The user sends the shown mail");
    mail.add_flag("--save-windows", saveWindows_, "Save the record windows the add-in opens on filing");

    for (const std::string verb : {"reply", "reply-all", "forward"}) {
        auto& answer = group.Add(verb, "Answer the mail stored in a document record (" + verb + ")",
                                 [this, verb](Host& host, ActionOutput& output) { return Answer(host, output, verb); });
        answer.add_option("--context", context_, "The document record, document:ID")->required();
        answer.add_flag("--send", userSends_, "The user sends the shown answer");
        answer.add_flag("--save-windows", saveWindows_, "Save the record windows the add-in opens on filing");
    }
}

bool MailComposeAction::Composing() const {
    return !to_.empty() || !cc_.empty() || !bcc_.empty() || !attachments_.empty() || subject_ || body_ || html_ ||
           rtfFile_ || template_ || send_ || noDisplay_;
}

int MailComposeAction::NewMail(Host& host, ActionOutput& output) {
    std::optional<std::string> unheard;
    if (send_) unheard = "sent by Send, which hands the mail to no listener";
    if (noDisplay_) unheard = "sent through the MAPI library; its listener follows Outlook's item and never hears of it";
    return Run(host, output, "--press-send", unheard, [&](const ObjectPtr& window) {
        if (Composing()) return Compose(host, window);
        MenuCommands(host.TheMachine().Kelo()).NewMail(window);
    });
}

int MailComposeAction::Answer(Host& host, ActionOutput& output, const std::string& verb) {
    return Run(host, output, "--send", std::nullopt, [&](const ObjectPtr& window) {
        MenuCommands menu(host.TheMachine().Kelo());
        if (verb == "reply") menu.Reply(window);
        if (verb == "reply-all") menu.ReplyAll(window);
        if (verb == "forward") menu.Forward(window);
    });
}

void MailComposeAction::Compose(Host& host, const ObjectPtr& window) {
    // As a script of the client makes it: the add-in's class by its ProgID.
    const auto mail = Cast<addin::NewMail>(host.TheMachine().Factory().Create("KeloOstrellix.NewMail"));
    std::vector<Ptr<kelo::IRecipient>> recipients;
    for (const auto& [names, type] : {std::pair{&to_, ol::olTo}, std::pair{&cc_, ol::olCC}, std::pair{&bcc_, ol::olBCC}}) {
        for (const std::string& name : *names) recipients.push_back(std::make_shared<standin::kelo::Recipient>(type, name));
    }
    if (!recipients.empty()) mail->SetRecipients(Variant(std::make_shared<standin::kelo::Recipients>(recipients)));
    if (subject_) mail->SetSubject(Variant(*subject_));
    if (body_) mail->SetBody(Variant(*body_));
    if (html_) mail->SetHtmlBody(Variant(*html_));
    if (rtfFile_) mail->SetRtfBody(Variant(ReadFile(*rtfFile_)));
    if (template_) mail->SetTemplate(Variant(std::filesystem::absolute(*template_).string()));
    std::vector<Ptr<kelo::IFile>> files;
    for (const std::string& path : attachments_) {
        const std::filesystem::path file = std::filesystem::absolute(path);
        files.push_back(std::make_shared<standin::kelo::File>(file.string(), file.filename().string()));
    }
    if (!files.empty()) mail->SetAttachments(Variant(std::make_shared<standin::kelo::Files>(files)));
    mail->SetContext(Variant(window));
    if (noDisplay_) mail->SetFlags(0);
    if (send_) {
        mail->Send();
    } else {
        mail->Display();
    }
}

int MailComposeAction::Run(Host& host, ActionOutput& output, const std::string& sendOption,
                           const std::optional<std::string>& unheard, const Command& command) {
    const bool userSends = userSends_ && !unheard;
    Machine& machine = host.TheMachine();
    const auto window = RecordContext::Parse(context_).Open(host);
    const std::int32_t drafts = Folder(host, ol::olFolderDrafts)->Count();
    const std::int32_t sent = Folder(host, ol::olFolderSentMail)->Count();
    const ActionEffects effects(machine);
    OutgoingMailCapture capture(machine);
    RecordWindows windows(machine);
    KeloActions::RunCommand(host, output, window, [&](MenuCommands&, const ObjectPtr& on) { command(on); });
    const auto outlook = machine.Outlook().Running();
    bool mailSent = !outlook->ActiveInspector() && Folder(host, ol::olFolderSentMail)->Count() > sent;
    if (userSends && outlook->ActiveInspector()) {
        standin::outlook::SimulatedUser(outlook).PressSend(outlook->ActiveInspector());
        mailSent = true;
    }
    if (mailSent) {
        const auto last = As<ol::IMailItem>(Folder(host, ol::olFolderSentMail)->Item(sent + 1));
        const nlohmann::json to = {{"to", last->To()}, {"cc", last->CC()}, {"bcc", last->BCC()}};
        output.Result({{"action", "sent"}, {"recipients", to}}, [&](std::ostream& out) {
            out << "Sent \"" << last->Subject() << "\"\n  To: " << last->To() << "\n  CC: " << last->CC()
                << "\n  BCC: " << last->BCC() << "\n";
        });
    }
    capture.WaitForFiling();
    const auto opened = windows.Finish(saveWindows_);
    for (const auto& left : opened) {
        output.Result(RecordWindows::Json(left), [&](std::ostream& out) { RecordWindows::Print(left, out); });
    }
    const bool windowLeft = std::ranges::any_of(opened, [](const auto& left) { return !left.saved; });
    nlohmann::json filed = nlohmann::json::array();
    for (const auto& made : effects.Records()) {
        if (made.change != ActionEffects::Change::Made || made.className != "document") continue;
        const auto record = Cast<kelo::IRecord>(machine.KeloApp().CreateObject("QVR.Record"));
        record->Load(machine.KeloApp().Classes()->FindByName("document"), made.id);
        filed.push_back({{"id", made.id}, {"subject", record->Text("comment")}, {"person", record->Text("person")},
                         {"company", record->Text("company")}});
    }
    std::string reason;
    if (filed.empty()) {
        const auto cls = Cast<standin::kelo::Inspector>(window)->Class();
        const std::int16_t mode = addin::Globals::Options()->GetSaveOutgoingMailModeForClass(cls);
        if (!mailSent) {
            reason = "shown, not sent yet (" + sendOption + " sends it)";
        } else if (unheard) {
            reason = *unheard;
        } else if (windowLeft) {
            reason = "record window opened, not saved (--save-windows saves it)";
        } else if (mode == 0) {
            reason = "the save mode for a " + cls->Name() + " is 0: its mail is never filed";
        } else {
            reason = capture.WhyNotFiled(mode);
        }
    }
    const std::int32_t newDrafts = Folder(host, ol::olFolderDrafts)->Count() - drafts;
    const std::int32_t newSent = Folder(host, ol::olFolderSentMail)->Count() - sent;
    nlohmann::json result = {{"action", "filing"}, {"filed", filed}, {"drafts", newDrafts}, {"sentItems", newSent}};
    if (!reason.empty()) result["reason"] = reason;
    output.Result(result, [&](std::ostream& out) {
        for (const auto& record : filed) {
            out << "Filed in Kelo: document " << record["id"].get<std::int32_t>() << " \""
                << record["subject"].get<std::string>() << "\", person " << record["person"].get<std::string>()
                << ", company " << record["company"].get<std::string>() << "\n";
        }
        if (!reason.empty()) out << "Not filed in Kelo: " << reason << "\n";
        out << "Drafts: " << newDrafts << " new; Sent Items: " << newSent << " new\n";
    });
    machine.KeloUser().Close(window);
    return 0;
}

}  // namespace ostrellix::host

#include "apps/ostrellix/DocumentAction.h"

#include <ostream>

#include "apps/ostrellix/KeloActions.h"
#include "apps/ostrellix/Mistake.h"
#include "apps/ostrellix/RecordContext.h"
#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDatabase.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/kelo/IFields.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IInspector.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/client/MenuCommands.h"
#include "standins/message/MsgReader.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::host {

namespace {

using standin::kelo::MenuCommands;

// The field a document record is described by.
constexpr std::int32_t kCommentLabel = 3;

Ptr<kelo::IClass> DocumentClass(Host& host) {
    const auto cls = host.TheMachine().KeloApp().Classes()->FindByLabel(kelo::classlabel::Document);
    if (!cls) Mistake("The Kelo database has no document class");
    return cls;
}

std::string FileField(const Ptr<kelo::IClass>& cls) {
    const auto field = cls->Fields()->FindByType(kelo::fieldtype::Document);
    if (!field) Mistake("The class " + cls->Name() + " has no document field");
    return field->Name();
}

}  // namespace

DocumentAction::DocumentAction(ActionGroup& group) {
    auto& mail = group.Add("mail-template", "Mail from template: a new Outlook mail from a template and the record",
                           [this](Host& host, ActionOutput& output) { return MailTemplate(host, output); });
    mail.add_option("--template", template_, "The mail template, by name (see `templates`)")->required();
    mail.add_option("--context", context_, "The record the user has open, CLASS:ID (for example person:1)")->required();

    auto& made = group.Add("new-document", "A new document from a mail template for the record, stored in Kelo",
                           [this](Host& host, ActionOutput& output) { return NewDocument(host, output); });
    made.add_option("--template", template_, "The mail template, by name (see `templates`)")->required();
    made.add_option("--context", context_, "The record the document is for, CLASS:ID (for example person:1)")
        ->required();

    auto& open = group.Add("open-document", "Open the mail a document record holds in Outlook, and edit it there",
                           [this](Host& host, ActionOutput& output) { return OpenDocument(host, output); });
    open.add_option("id", id_, "The document record's id")->required();
    open.add_option("--subject", subject_, "The Outlook user types this subject");
    open.add_option("--body", body_, "The Outlook user types this body");
    auto* save = open.add_flag("--save", save_, "The Outlook user saves and closes the window (else: closes unsaved)");
    open.add_flag("--send", send_, "The Outlook user sends the mail")->excludes(save);

    auto& print = group.Add("print-document", "Print the mail a document record holds",
                            [this](Host& host, ActionOutput& output) { return PrintDocument(host, output); });
    print.add_option("id", id_, "The document record's id")->required();
}

Ptr<kelo::IDocumentTemplate> DocumentAction::FindTemplate(Host& host, const std::string& name) {
    const auto templates = host.TheMachine().KeloApp().Database()->Templates();
    for (std::int32_t i = 1; i <= templates->Count(); ++i) {
        if (templates->Item(i)->Name() == name) return templates->Item(i);
    }
    Mistake("There is no document template \"" + name + "\"");
}

Ptr<kelo::IDocument> DocumentAction::StoredDocument(Host& host) const {
    const auto cls = DocumentClass(host);
    const auto window = RecordContext::Parse(cls->Name() + ":" + std::to_string(id_), "id").Open(host);
    const auto document = As<kelo::IDocument>(window->Record()->Value(FileField(cls)).ToObject());
    host.TheMachine().KeloUser().Close(window);
    if (!document) Mistake(cls->Name() + " " + std::to_string(id_) + " holds no file");
    return document;
}

void DocumentAction::ShowDocument(ActionOutput& output, const std::string& action,
                                  const Ptr<kelo::IDocument>& document) const {
    std::string subject, body;
    const Bytes data = document->Data();
    if (!data.empty()) {
        const auto mail = standin::message::MsgReader().Read(data, document->Name());
        subject = mail.properties.GetValue(standin::message::tag::PR_SUBJECT).ToString();
        body = mail.properties.GetValue(standin::message::tag::PR_BODY).ToString();
    }
    output.Result({{"action", action},
                   {"document", id_},
                   {"name", document->Name()},
                   {"extension", document->Extension()},
                   {"subject", subject},
                   {"body", body}},
                  [&](std::ostream& out) {
                      const std::string oneLine = text::Replace(text::Replace(body, "\r\n", " "), "\n", " ");
                      out << "The document's mail (" << document->Name() << "." << document->Extension()
                          << "):\n  Subject: " << subject << "\n  Body: " << oneLine << "\n";
                  });
}

int DocumentAction::MailTemplate(Host& host, ActionOutput& output) {
    const auto context = RecordContext::Parse(context_);
    const auto found = FindTemplate(host, template_);
    const auto window = context.Open(host);
    PassOn(
        [&] {
            KeloActions::RunCommand(host, output, window, [&](MenuCommands& menu, const ObjectPtr& on) {
                menu.MailFromTemplate(on, found);
            });
        },
        [&] { host.TheMachine().KeloUser().Close(window); });
    host.TheMachine().KeloUser().Close(window);
    return 0;
}

int DocumentAction::NewDocument(Host& host, ActionOutput& output) {
    const auto context = RecordContext::Parse(context_);
    const auto found = FindTemplate(host, template_);
    const auto window = context.Open(host);
    const auto record = window->Record();
    host.TheMachine().KeloUser().Close(window);
    const auto document = MenuCommands(host.TheMachine().Kelo()).NewDocument(record, found);
    if (!document) Mistake("The add-in makes no documents from ." + found->Extension() + " templates");
    // The client keeps a new document in a document record of its own, linked to the record it was made for.
    const auto cls = DocumentClass(host);
    const auto stored = Cast<kelo::IRecord>(host.TheMachine().KeloApp().CreateObject("QVR.Record"));
    stored->New(cls);
    stored->SetValue(FileField(cls), Variant(ObjectPtr(document)));
    if (const auto comment = cls->Fields()->FindByLabel(kCommentLabel)) {
        stored->SetValue(comment->Name(), Variant(document->Name()));
    }
    if (const auto link = cls->Fields()->FindByRelatedClass(record->Class())) {
        stored->SetValue(link->Name(), Variant(record->ID()));
    }
    stored->Update();
    id_ = stored->ID();
    ShowDocument(output, "new-document", document);
    return 0;
}

int DocumentAction::OpenDocument(Host& host, ActionOutput& output) {
    const auto document = StoredDocument(host);
    const Bytes before = document->Data();
    bool handled = false;
    KeloActions::RunCommand(host, output, nullptr,
                            [&](MenuCommands& menu, const ObjectPtr&) { handled = menu.OpenDocument(document); });
    if (!handled) Mistake("The add-in does not open ." + document->Extension() + " documents");
    const auto outlook = host.TheMachine().Outlook().Running();
    const auto window = outlook ? outlook->ActiveInspector() : nullptr;
    if (!window) {
        output.Note() << "Outlook shows nothing: the document has no file\n";
        return 0;
    }
    standin::outlook::SimulatedUser user(outlook);
    if (subject_) user.Type(window, "Subject", Variant(*subject_));
    if (body_) user.Type(window, "Body", Variant(*body_));
    if (send_) {
        user.PressSend(window);
    } else {
        user.Close(window, save_);
    }
    const bool changed = document->Data() != before;
    output.Note() << (changed ? "Written back into the document:\n" : "The document is unchanged:\n");
    ShowDocument(output, changed ? "written-back" : "unchanged", document);
    return 0;
}

int DocumentAction::PrintDocument(Host& host, ActionOutput& output) {
    const auto document = StoredDocument(host);
    standin::outlook::SimulatedUser user(host.TheMachine().Outlook().Running());
    const std::size_t before = user.Printed().size();
    if (!MenuCommands(host.TheMachine().Kelo()).PrintDocument(document)) {
        Mistake("The add-in does not print ." + document->Extension() + " documents");
    }
    for (std::size_t i = before; i < user.Printed().size(); ++i) {
        const std::string title = user.Printed()[i];
        output.Result({{"action", "printed"}, {"document", id_}, {"title", title}},
                      [&](std::ostream& out) { out << "Printed: " << title << "\n"; });
    }
    return 0;
}

}  // namespace ostrellix::host

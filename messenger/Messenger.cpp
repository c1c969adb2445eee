#include "messenger/Messenger.h"

#include <cstdio>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IFields.h"
#include "contracts/kelo/IImages.h"
#include "contracts/kelo/IMessengerOptionsControl.h"
#include "contracts/kelo/IView.h"
#include "contracts/mapi/Constants.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IItem.h"
#include "contracts/outlook/INameSpace.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "messenger/FormMessenger.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

constexpr std::string_view kOptionsControlProgID = "KeloOstrellix.MessengerControl";
constexpr std::int32_t kMergePlain = 0;
constexpr std::int32_t kMergeHtml = 2;

void CopyProperties(kelo::IProperties& from, kelo::IProperties& to) {
    for (const std::string& name : from.Names()) to.SetValue(name, from.Value(name));
    for (const std::string& name : from.ChildNames()) CopyProperties(*from.Child(name), *to.Child(name));
}

}  // namespace

Messenger::Messenger()
    : properties_(Cast<kelo::IProperties>(Globals::Application()->CreateObject("QVR.Properties"))) {}

std::string Messenger::IMessenger_Name() { return Tools::GetText("MessengerName"); }

std::string Messenger::IMessenger_LocalName() { return Tools::GetText("MessengerDisplayName"); }

Ptr<kelo::IImage> Messenger::IMessenger_Icon(std::int32_t kind) {
    static constexpr std::int32_t kSizes[] = {16, 24, 32};
    if (kind < 0 || kind > 2) return nullptr;
    return Globals::Application()->Images()->Item("OUTLOOK", kSizes[kind]);
}

std::string Messenger::IMessenger_OptionsControlProgID() { return std::string(kOptionsControlProgID); }

ObjectPtr Messenger::IMessenger_OptionsControl() {
    const auto control =
        Cast<kelo::IMessengerOptionsControl>(Globals::Application()->CreateObject(kOptionsControlProgID));
    control->IMessengerOptionsControl_SetMessenger(SelfAs<kelo::IMessenger>());
    return control;
}

bool Messenger::IMessenger_Compose() { return std::make_shared<FormMessenger>()->Show(SelfAs<kelo::IMessenger>()); }

void Messenger::IMessenger_SetClass(const Ptr<kelo::IClass>& cls) {
    properties_->SetValue("Class", Variant(cls->Name()));
    properties_->SetValue("SaveOnlyFirstMail", Variant(true));
    properties_->SetValue("SendOneByOne", Variant(true));
    properties_->SetValue("IgnoreDuplicates", Variant(true));
    if (const auto field = cls->Fields()->FindByType(kelo::fieldtype::EMail)) {
        properties_->SetValue("Field", Variant(field->Name()));
    }
}

Ptr<kelo::IDocument> Messenger::IMessenger_Document() {
    Ptr<kelo::IDocument> document;
    IgnoreErrors([&] {
        const Variant stored = properties_->Value("Template");
        if (stored.IsEmpty() || stored.IsNull() || stored.IsNothing()) return;
        const auto made = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
        const auto source = stored.IsObject() ? stored.ToObjectAs<kelo::IDocument>() : nullptr;
        made->SetData(source ? source->Data() : stored.ToBytes());
        made->SetExtension("msg");
        document = made;
    });
    return document;
}

void Messenger::IMessenger_LoadProperties(const Ptr<kelo::IProperties>& source) {
    CopyProperties(Must(source), *properties_);
}

void Messenger::IMessenger_SaveProperties(const Ptr<kelo::IProperties>& target) {
    CopyProperties(*properties_, Must(target));
}

bool Messenger::IMessenger_Supports(std::int32_t feature) {
    switch (feature) {
        case 0:
        case 1: return true;
        case 2: return properties_->Value("SendOneByOne").ToBoolean();
        default: return false;
    }
}

void Messenger::IMessenger_Validate() {
    Ptr<kelo::IClass> cls;
    Ptr<kelo::IField> field;
    ObjectPtr message;
    IgnoreErrors([&] {
        cls = Globals::Application()->Classes()->FindByName(properties_->Value("Class").ToString());
        field = Must(cls).Fields()->FindByName(properties_->Value("Field").ToString());
        message = Globals::Outlook()->Session()->GetItemFromID(properties_->Value("Message").ToString());
    });
    if (!cls) Tools::RaiseInternalError();
    if (!field) Tools::RaiseError(Tools::GetText("SpecifyEmailField"));
    if (!message) Tools::RaiseError(Tools::GetText("SpecifyMessage"));
}

Ptr<kelo::IPool> Messenger::IMessenger_OpenRecipients(const Ptr<kelo::IPool>& pool) {
    const auto application = Globals::Application();
    const auto records = Cast<kelo::IRecords>(application->CreateObject("QVR.Records"));
    const auto view = Cast<kelo::IView>(application->CreateObject("QVR.View"));
    Ptr<kelo::IClass> cls;
    Ptr<kelo::IFilter> filter;
    IgnoreErrors([&] {
        cls = application->Classes()->FindByName(properties_->Value("Class").ToString());
        filter = properties_->Value("Filter").ToObjectAs<kelo::IFilter>();
    });
    if (!filter) filter = Cast<kelo::IFilter>(application->CreateObject("QVR.Filter"));
    filter->AddPool(pool);
    if (filter->Count() > 1) filter->Combine(kelo::logic::And);
    view->Add(properties_->Value("Field").ToString());
    records->Open(cls, filter, view->Fields());
    const auto recipients = std::make_shared<MessengerRecipients>();
    recipients->SetProperties(properties_);
    recipients->AddRecipientsFromRecords(records);
    recipients_ = recipients;
    return recipients_->RecipientsIdPool();
}

std::int32_t Messenger::IMessenger_RecipientCount() { return recipients_ ? recipients_->Count() : 0; }

std::string Messenger::TakeDraft(const std::string& entryId) {
    const auto draft = Globals::Redemption()->GetMessageFromID(entryId);
    const auto recipients = draft->Recipients();
    for (std::int32_t i = recipients->Count(); i >= 1; --i) recipients->Remove(i);
    const std::string path = Tools::MakeTempFileName("msg");
    draft->SaveAs(path, mapi::olMSG);
    draft->Delete();
    return path;
}

Ptr<kelo::IPool> Messenger::IMessenger_Send(const Ptr<kelo::IWorkDialog>& dialog, bool dryRun) {
    const bool oneByOne = properties_->Value("SendOneByOne").ToBoolean();
    const bool saveOnlyFirstMail = properties_->Value("SaveOnlyFirstMail").ToBoolean();
    const std::string entryId = properties_->Value("Message").ToString();
    const std::string path = TakeDraft(entryId);
    const auto progress = As<kelo::IProgress>(dialog);
    if (progress) progress->Initialize(Must(recipients_).Recipients()->Count(), 1, "", true);
    if (oneByOne) {
        SendOneByOne(path, progress, saveOnlyFirstMail, dryRun);
    } else {
        SendToAll(path, dryRun);
    }
    std::remove(path.c_str());
    const auto notSent = recipients_->RecipientsIdPool();
    IgnoreErrors([] { Globals::Outlook()->GetNamespace("MAPI")->SendAndReceive(false); });
    return notSent;
}

void Messenger::SendOneByOne(const std::string& path, const Ptr<kelo::IProgress>& progress, bool saveOnlyFirstMail,
                             bool dryRun) {
    const auto session = Globals::Redemption();
    const std::string field = properties_->Value("Field").ToString();
    const auto& recipients = Must(recipients_).Recipients();
    for (std::int32_t i = 1; i <= recipients->Count(); ++i) {
        const auto record = recipients->Item(i).ToObjectAs<kelo::IRecord>();
        const std::string address = record->Text(field);
        const auto message =
            session->GetMessageFromMsgFile(path, false)->Move(session->GetDefaultFolder(outlook::olFolderDrafts));
        if (progress) {
            progress->SetMessage(Tools::GetText("SendingToX", address));
            progress->Step(1);
        }
        message->Recipients()->AddEx(address, address, "SMTP", outlook::olTo);
        message->Recipients()->ResolveAll();
        if (const std::string subject = message->Subject(); !subject.empty()) {
            message->SetSubject(record->Merge(subject, kMergePlain));
        }
        switch (message->BodyFormat()) {
            case outlook::olFormatPlain: message->SetBody(record->Merge(message->Body(), kMergePlain)); break;
            case outlook::olFormatRichText: message->SetRtfBody(record->Merge(message->RtfBody(), kMergePlain)); break;
            default: message->SetHTMLBody(record->Merge(message->HTMLBody(), kMergeHtml)); break;
        }
        // Only the first of the mails is kept in Sent Items.
        if (saveOnlyFirstMail && i > 1) message->SetDeleteAfterSubmit(true);
        bool sent = false;
        // A recipient whose mail fails stays in the pool; the mailing goes on.
        IgnoreErrors([&] {
            if (!dryRun) message->Send();
            sent = !dryRun;
        });
        if (sent) {
            recipients_->RemoveRecipientFromPool(record);
        } else {
            message->Delete();
        }
    }
}

void Messenger::SendToAll(const std::string& path, bool dryRun) {
    const auto item = Globals::Outlook()->CreateItemFromTemplate(path);
    item->Save();
    const auto message = Globals::Redemption()->GetMessageFromID(item->EntryID());
    message->Recipients()->AddMultiple(Must(recipients_).UniqueEmailAddresses()->Keys(), outlook::olBCC);
    message->Recipients()->ResolveAll();
    bool sent = false;
    IgnoreErrors([&] {
        if (!dryRun) message->Send();
        sent = !dryRun;
    });
    if (sent) {
        recipients_->RemoveAllRecipientsFromPool();
    } else {
        message->Delete();
    }
}

}  // namespace ostrellix::addin

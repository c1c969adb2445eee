#include "mail/OutboxListener.h"

#include <cstdio>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IListItem.h"
#include "contracts/outlook/Constants.h"
#include "core/Addin.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "runtime/ErrorHandling.h"
#include "runtime/IDispatch.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("OutboxListener - ");

constexpr std::int32_t kFilingDelay = 100;
constexpr std::int32_t kYesNoQuestion = 36;
constexpr std::int32_t kYes = 6;
constexpr std::int16_t kTrue = -1;

// One counter for the process: each listener's timer has an ID of its own.
std::int32_t NextTimerId() {
    static std::int32_t last = 0;
    return ++last;
}

}  // namespace

OutboxListener::OutboxListener() { Log("Initialize"); }

OutboxListener::~OutboxListener() {
    // Only what the listener holds: Outlook may be gone, and nothing may raise here.
    IgnoreErrors([] { Log("Terminate"); });
    IgnoreErrors([&] { StopTimer(); });
    DeleteSentCopy();
}

void OutboxListener::SetContext(const Variant& value) {
    if (!value.IsObject()) {
        Log("let_Context - Descriptive");
        context_ = value;
        return;
    }
    const ObjectPtr object = value.ToObject();
    if (!object) return;
    context_ = value;
    if (Is<kelo::IMailerDocument>(object)) {
        Log("let_Context - MailerDocument");
        return;
    }
    if (Is<kelo::IInspector>(object) || Is<kelo::IExplorer>(object)) parentWindow_ = object;
    if (const auto record = Globals::Synchronizer()->GetRecordFromContext(object)) {
        Log("let_Context - Record - Class: " + record->Class()->Name() + " ID: " + std::to_string(record->ID()));
        context_ = Variant(record);
    }
    record_ = GetContextRecord(object);
}

Ptr<kelo::IRecord> OutboxListener::GetContextRecord(const ObjectPtr& object) {
    Ptr<kelo::IRecord> record = As<kelo::IRecord>(object);
    if (const auto inspector = As<kelo::IInspector>(object)) record = inspector->Record();
    if (const auto explorer = As<kelo::IExplorer>(object)) {
        const auto item = explorer->ActiveItem();
        if (item) record = item->Record();
        if (!record && explorer->Inspector()) record = explorer->Inspector()->Record();
    }
    if (!record) {
        IgnoreErrors([&] {
            record = Cast<kelo::IRecord>(
                Must(As<IDispatch>(object)).Invoke("Record", InvokeKind::PropertyGet, {}).ToObject());
        });
    }
    return record;
}

void OutboxListener::SetInspector(const Ptr<outlook::IInspector>& inspector) {
    SetItem(As<outlook::IMailItem>(Must(inspector).CurrentItem()));
}

void OutboxListener::SetItem(const Ptr<outlook::IMailItem>& mail) {
    StopFollowing();
    if (!mail || mail->Sent()) return;
    Log("set_Item - GUID: " + GetItemGUID(mail));
    Follow(mail);
    Globals::AddEventListener(shared_from_this());
}

std::string OutboxListener::GetItemGUID(const Ptr<outlook::IMailItem>& mail) {
    std::string guid;
    IgnoreErrors([&] {
        const auto properties = mail->UserProperties();
        if (const auto property = properties->Find("GUID")) guid = property->Value().ToString();
        if (!guid.empty()) return;
        // The mark only has to be there; the client supplies what it holds.
        const auto utility = Globals::Application()->Utility();
        guid = utility->NewGuid();
        properties->Add("GUID", outlook::olText)->SetValue(Variant(utility->NewGuid()));
    });
    return guid;
}

void OutboxListener::Follow(const Ptr<outlook::IMailItem>& mail) {
    m_OutlookItem = mail;
    written_ = false;
    send_ = mail->Events().Send.Connect([this](bool&) { OnSend(); });
    write_ = mail->Events().Write.Connect([this](bool&) { OnWrite(); });
    close_ = mail->Events().Close.Connect([this](bool&) { OnClose(); });
}

void OutboxListener::StopFollowing() {
    send_.Disconnect();
    write_.Disconnect();
    close_.Disconnect();
    m_OutlookItem.reset();
}

void OutboxListener::OnSend() {
    const auto self = shared_from_this();
    Log("m_OutlookItem_Send");
    if (dontSave_) return;

    m_OutlookItem->Save();
    const std::string entryId = m_OutlookItem->EntryID();
    Log("m_OutlookItem_Send - Cloning: " + entryId);
    const auto session = Globals::Redemption();
    const auto copy = session->GetDefaultFolder(outlook::olFolderSentMail)->Items()->Add("IPM.Note");
    session->GetMessageFromID(entryId)->CopyTo(copy);
    sentCopy_ = copy;

    copy->SetSent(true);
    copy->SetSentOn(Globals::System().Clock().Now());
    if (!copy->Sender()) {
        const auto onBehalfOf = copy->SentOnBehalfOf();
        copy->SetSender(onBehalfOf ? onBehalfOf : session->CurrentUser());
    }
    copy->Save();
    Log("m_OutlookItem_Send - Tracking: " + copy->EntryID());

    StopFollowing();
    StartTimer();
}

void OutboxListener::OnWrite() {
    Log("m_OutlookItem_Write");
    written_ = true;
}

void OutboxListener::OnClose() {
    const auto self = shared_from_this();
    Log("m_OutlookItem_Close");
    Shutdown();
}

void OutboxListener::StartTimer() {
    m_Application = Globals::Application();
    timer_ = m_Application->Events().Timer.Connect([this](std::int32_t id) { OnTimer(id); });
    timerId_ = NextTimerId();
    m_Application->SetTimer(timerId_, kFilingDelay);
}

void OutboxListener::StopTimer() {
    if (!m_Application) return;
    timer_.Disconnect();
    const auto application = std::move(m_Application);
    const std::int32_t id = std::exchange(timerId_, 0);
    application->SetTimer(id, 0);
}

void OutboxListener::OnTimer(std::int32_t id) {
    if (id != timerId_) return;
    // Shutdown leaves the registry, which may hold the last reference.
    const auto self = shared_from_this();
    Trap(
        [&] {
            StopTimer();
            SaveAsDocument(sentCopy_);
        },
        [](const ComError& error) { Tools::ReportError(error, "OutboxListener.m_Application_Timer"); });
    Shutdown();
}

void OutboxListener::Shutdown() {
    Log("Shutdown");
    IgnoreErrors([&] {
        if (m_OutlookItem && newMail_ && !written_) m_OutlookItem->Delete();
    });
    IgnoreErrors([&] { StopFollowing(); });
    IgnoreErrors([&] { Globals::RemoveEventListener(shared_from_this()); });
}

void OutboxListener::SaveAsDocument(const Ptr<mapi::IMessage>& copy) {
    Log("SaveAsDocument - Processing: " + copy->EntryID());
    const auto addin = Globals::Addin();
    const auto self = shared_from_this();
    if (!Must(addin).OnMailSentWithHandler(copy, context_, self)) {
        Log("SaveAsDocument - Handled by custom pre-processing");
        return;
    }
    if (Must(Globals::Options()).SaveOutgoingInternalMail() != kTrue) {
        const auto recipients = copy->Recipients();
        if (recipients->Count() > 0) {
            const auto entry = recipients->Item(1)->AddressEntry();
            if (entry && entry->Type() == "EX") {
                Log("SaveAsDocument - Ignored mail to internal recipient");
                return;
            }
        }
    }
    if (askBeforeSave_ && Tools::ShowMessage(Tools::GetText("SaveMailAsDocument"), kYesNoQuestion) != kYes) return;
    const auto application = Globals::Application();
    application->RecordUsage("save_mail_as_doc;outlook_action;outlook");
    if (const auto document = context_.IsObject() ? As<kelo::IMailerDocument>(context_.ToObject()) : nullptr) {
        Log("SaveAsDocument - Handled by legacy customization");
        NotifyMailDocument(copy, document);
        return;
    }

    const WaitCursor wait;
    const auto synchronizer = Globals::Synchronizer();
    const auto record = synchronizer->CreateMailRecord();
    synchronizer->UpdateRecordFromMailItem(record, copy, record_);
    if (!addin->OnNewMailWithHandler(record, copy, context_, self)) {
        Log("SaveAsDocument - Handled by custom post-processing");
        return;
    }
    if (!alreadyOpen_ && !askBeforeSave_ && TrySaveRecord(record)) {
        Log("SaveAsDocument - Updating record");
        record->Update();
        return;
    }
    Log("SaveAsDocument - Opening inspector");
    const auto window = application->ShowRecord(record, parentWindow_, kelo::kShowModeNewWindow);
    window->Show();
    window->Activate();
}

bool OutboxListener::TrySaveRecord(const Ptr<kelo::IRecord>& record) {
    bool valid = true;
    Trap([&] { record->Check(); }, [&](const ComError&) { valid = false; });
    return valid;
}

void OutboxListener::NotifyMailDocument(const Ptr<mapi::IMessage>& copy, const Ptr<kelo::IMailerDocument>& document) {
    Log("NotifyMailDocument");
    if (!document || copy->EntryID().empty()) return;
    const std::string path = Tools::MakeTempFileName("msg");
    copy->SaveAs(path, outlook::olMSG);
    const auto file = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
    PassOn([&] { file->LoadFromFile(path); }, [&] { std::remove(path.c_str()); });
    file->SetName(Tools::FitDocumentName(file, copy->Subject()));
    IgnoreErrors([&] { std::remove(path.c_str()); });
    IgnoreErrors([&] { document->Notify(copy->To(), copy->Subject(), file); });
}

void OutboxListener::DeleteSentCopy() {
    IgnoreErrors([&] {
        if (const auto copy = std::exchange(sentCopy_, nullptr)) copy->Delete();
    });
}

}  // namespace ostrellix::addin

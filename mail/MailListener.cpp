#include "mail/MailListener.h"

#include "contracts/kelo/Codes.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "mail/AttachedContacts.h"
#include "mail/AttachmentDocuments.h"
#include "mail/MailExplorerListener.h"
#include "mail/OutboxListener.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("MailListener - ");

constexpr std::int32_t kWorkDialogStyle = 19;
constexpr std::int32_t kWorkDialogProgressInterval = 500;
constexpr std::int32_t kWarningBox = 48;
constexpr std::int32_t kInformationBox = 64;

enum class ShownWhen { SentOrReceived, WithFiles, WithCards, Composing };

struct ButtonSpec {
    const char* tag;
    const char* captionKey;
    std::int32_t faceId;
    ShownWhen shownWhen;
    const char* clickLocation;  // nullptr: the click reports in a warning box instead
};

// In the order of MailListener::Button.
constexpr ButtonSpec kButtonSpecs[] = {
    {"SaveMailToKelo", "SaveInKelo", 3, ShownWhen::SentOrReceived, "MailListener.m_SaveButton_Click"},
    {"SaveAttachmentsToKelo", "SaveAttachmentsInKelo", 3, ShownWhen::WithFiles, nullptr},
    {"ImportContactsButton", "SaveContactsInKelo", 3, ShownWhen::WithCards, "MailListener.m_ImportContactsButton_Click"},
    {"FindKeloAddressButton", "GetMailAddressFromKelo", 353, ShownWhen::Composing,
     "MailListener.m_FindAddressButton_Click"},
    {"AttachBusinessCard", "InsertMyVCard", 1993, ShownWhen::Composing,
     "MailListener.m_AttachBusinessCardButton_Click"},
    {"InsertLinkButton", "InsertKeloURL", 1445, ShownWhen::Composing, "MailListener.m_InsertLinkButton_Click"},
};

std::string GuidMark(const Ptr<outlook::IItem>& item) {
    const auto property = item->UserProperties()->Find("GUID");
    return property ? property->Value().ToString() : std::string();
}

}  // namespace

void MailListener::Initialize() {
    Log("Initialize");
    const auto outlook = Globals::Outlook();
    m_OutlookInspectors = outlook->Inspectors();
    m_OutlookExplorers = outlook->Explorers();
    newInspector_ = m_OutlookInspectors->Events().NewInspector.Connect(
        [this](const Ptr<outlook::IInspector>& inspector) { OnNewInspector(inspector); });
    newExplorer_ = m_OutlookExplorers->Events().NewExplorer.Connect(
        [this](const Ptr<outlook::IExplorer>& explorer) { OnNewExplorer(explorer); });
    for (std::int32_t i = 1; i <= m_OutlookExplorers->Count(); ++i) AddExplorerListener(m_OutlookExplorers->Item(i));
}

void MailListener::OnNewExplorer(const Ptr<outlook::IExplorer>& explorer) {
    const auto self = SelfAs<MailListener>();
    Trap(
        [&] {
            Log("m_OutlookExplorers_NewExplorer: " + explorer->Caption());
            AddExplorerListener(explorer);
        },
        [](const ComError& error) { Tools::LogError(error, "MailListener.m_OutlookExplorers_NewExplorer"); });
}

void MailListener::AddExplorerListener(const Ptr<outlook::IExplorer>& explorer) {
    Log("AddExplorerListener");
    std::make_shared<MailExplorerListener>()->Setup(SelfAs<MailListener>(), explorer);
}

void MailListener::SetupListenerForNewItem(const ObjectPtr& item) {
    if (const auto mail = As<outlook::IMailItem>(item)) SetupListenerForNewInspector(mail->GetInspector());
}

void MailListener::OnNewInspector(const Ptr<outlook::IInspector>& inspector) {
    const auto self = SelfAs<MailListener>();
    Trap(
        [&] {
            Log("m_OutlookInspectors_NewInspector: " + inspector->Caption());
            if (!IsMailItem(inspector->CurrentItem())) return;
            m_OutlookInspector = inspector;
            inspectorClose_ = inspector->Events().Close.Connect([this] { OnInspectorClose(); });
            AddButtons(inspector);
            SetupListenerForNewInspector(inspector);
        },
        [](const ComError& error) { Tools::LogError(error, "MailListener.m_OutlookInspectors_NewInspector"); });
}

void MailListener::SetupListenerForNewInspector(const Ptr<outlook::IInspector>& inspector) {
    // Nothing here may stop the window from opening.
    IgnoreErrors([&] {
        const auto mail = As<outlook::IMailItem>(inspector->CurrentItem());
        if (Must(mail).Sent()) {
            Log("SetupListenerForNewInspector - Skipped sent item");
            return;
        }
        std::string mark;
        IgnoreErrors([&] { mark = GuidMark(mail); });
        if (!mark.empty()) {
            Log("SetupListenerForNewInspector - Skipped synced item (GUID= " + mark + ")");
            return;
        }
        Log("SetupListenerForNewInspector - Monitoring new inspector: " + inspector->Caption());
        const std::int16_t mode = Must(Globals::Options()).SaveOutgoingMailFromOutlookMode();
        if (mode != 1 && mode != 2) return;
        // The listener keeps itself alive in the object registry.
        const auto listener = std::make_shared<OutboxListener>();
        listener->SetInspector(inspector);
        listener->SetAskBeforeSave(mode == 1);
        listener->SetAlreadyOpen(true);
    });
}

void MailListener::AddButtons(const Ptr<outlook::IInspector>& inspector) {
    Ptr<office::ICommandBar> bar;
    IgnoreErrors([&] { bar = inspector->CommandBars()->Item("Standard"); });
    if (!bar) return;
    const auto mail = Cast<outlook::IMailItem>(inspector->CurrentItem());
    const bool sent = mail->Sent();
    for (const ButtonSpec& spec : kButtonSpecs) {
        const bool shown = spec.shownWhen == ShownWhen::Composing        ? !sent
                           : spec.shownWhen == ShownWhen::SentOrReceived ? sent
                           : spec.shownWhen == ShownWhen::WithFiles      ? sent && IsAttachedFile(mail)
                                                                         : sent && IsAttachedContact(mail);
        if (!shown) continue;
        if (spec.shownWhen == ShownWhen::SentOrReceived) Log("AddButtons - Add SaveButton");
        if (bar->FindControl(spec.tag)) continue;
        const auto button = bar->AddButton(true);
        button->SetCaption(Tools::GetText(spec.captionKey));
        button->SetTag(spec.tag);
        button->SetStyle(office::msoButtonIconAndCaption);
        button->SetFaceId(spec.faceId);
        button->SetVisible(true);
    }
    // Controls another listener made earlier are bound too, so that their clicks arrive here.
    IgnoreErrors([&] {
        for (std::size_t i = 0; i < kButtons; ++i) {
            ButtonMember& member = m_Buttons[i];
            member.click.Disconnect();
            member.control = bar->FindControl(kButtonSpecs[i].tag);
            if (!member.control) continue;
            member.click = member.control->Events().Click.Connect(
                [this, i](const Ptr<office::ICommandBarButton>& control, bool&) {
                    OnClick(static_cast<Button>(i), control);
                });
        }
    });
}

void MailListener::OnInspectorClose() {
    const auto self = SelfAs<MailListener>();
    RemoveButtons();
}

void MailListener::RemoveButtons() {
    for (ButtonMember& member : m_Buttons) {
        IgnoreErrors([&] {
            if (member.control) member.control->Delete();
        });
        member.click.Disconnect();
        member.control.reset();
    }
    inspectorClose_.Disconnect();
    m_OutlookInspector.reset();
}

bool MailListener::IsMailItem(const ObjectPtr& item) { return Is<outlook::IMailItem>(item); }

Ptr<outlook::IMailItem> MailListener::ActiveInspectorMail() {
    return Cast<outlook::IMailItem>(Must(Globals::Outlook()->ActiveInspector()).CurrentItem());
}

bool MailListener::IsActiveInspectorMail() {
    bool result = false;
    IgnoreErrors([&] { result = IsMailItem(Globals::Outlook()->ActiveInspector()->CurrentItem()); });
    return result;
}

bool MailListener::IsAttachedFile(const Ptr<outlook::IMailItem>& mail) {
    bool result = false;
    Trap(
        [&] {
            const auto attachments = mail->Attachments();
            for (std::int32_t i = 1; i <= attachments->Count() && !result; ++i) {
                result = attachments->Item(i)->Type() == outlook::olByValue;
            }
        },
        [&](const ComError& error) {
            result = false;
            Tools::LogError(error, "MailListener.IsAttachedFile");
        });
    return result;
}

bool MailListener::IsAttachedContact(const Ptr<outlook::IMailItem>& mail) {
    bool result = false;
    Trap(
        [&] {
            const auto attachments = mail->Attachments();
            const auto utility = Globals::Application()->Utility();
            for (std::int32_t i = 1; i <= attachments->Count() && !result; ++i) {
                const auto attachment = attachments->Item(i);
                result = attachment->Type() == outlook::olByValue &&
                         text::LCase(utility->GetExtension(attachment->FileName())) == "vcf";
            }
        },
        [&](const ComError& error) {
            result = false;
            Tools::LogError(error, "MailListener.IsAttachedContact");
        });
    return result;
}

void MailListener::OnClick(Button button, const Ptr<office::ICommandBarButton>& control) {
    // The work may drop the object registry that holds this listener.
    const auto self = SelfAs<MailListener>();
    if (!IsActiveInspectorMail()) return;
    const ButtonSpec& spec = kButtonSpecs[button];
    const auto work = [&] {
        switch (button) {
            case SaveButton: RunInWorkDialog("AnalyzingMail", control->Tag()); break;
            case SaveAttachmentsButton:
                if (ActiveInspectorMail()->Attachments()->Count() == 0) Tools::RaiseError(Tools::GetText("NoAttachments"));
                RunInWorkDialog("AnalyzingMail", control->Tag());
                break;
            case ImportContactsButton: SaveAttachedContacts(); break;
            case FindAddressButton: FindAddress(ActiveInspectorMail()); break;
            case AttachBusinessCardButton: RunInWorkDialog("WorkingCaption", control->Tag()); break;
            case InsertLinkButton: InsertLink(ActiveInspectorMail()); break;
            case kButtons: break;
        }
    };
    Trap(work, [&](const ComError& error) {
        if (spec.clickLocation) {
            Tools::ReportError(error, spec.clickLocation);
        } else {
            Tools::ShowMessage(error.Description(), kWarningBox);
        }
    });
}

void MailListener::RunInWorkDialog(std::string_view captionKey, const std::string& tag) {
    const auto item = Must(Globals::Outlook()->ActiveInspector()).CurrentItem();
    m_WorkDialog = Cast<kelo::IWorkDialog>(Globals::Application()->CreateObject("Kelo.Dialog"));
    m_WorkDialog->SetCaption(Tools::GetText(captionKey));
    m_WorkDialog->SetText(Tools::GetText("WorkingText"));
    m_WorkDialog->SetStyle(kWorkDialogStyle);
    m_WorkDialog->SetParameter("Tag", Variant(tag));
    m_WorkDialog->SetParameter("Item", Variant(ObjectPtr(item)));
    m_WorkDialog->SetProgressInterval(kWorkDialogProgressInterval);
    work_ = m_WorkDialog->Events().Work.Connect([this] { OnWork(); });
    const auto release = [this] {
        work_.Disconnect();
        m_WorkDialog.reset();
    };
    PassOn([&] { m_WorkDialog->Show(); }, release);
    release();
}

void MailListener::OnWork() {
    Trap(
        [&] {
            const std::string tag = m_WorkDialog->Parameter("Tag").ToString();
            const auto mail = m_WorkDialog->Parameter("Item").ToObjectAs<outlook::IMailItem>();
            if (tag == kButtonSpecs[SaveAttachmentsButton].tag) {
                AttachmentDocuments::Save(mail, ShowRecordInInspector);
            } else if (tag == kButtonSpecs[SaveButton].tag) {
                SaveMail(mail);
            } else if (tag == kButtonSpecs[AttachBusinessCardButton].tag) {
                AttachBusinessCardToMail(mail);
            }
        },
        [](const ComError& error) { Tools::ReportError(error, "MailListener.m_WorkDialog_Work"); });
}

void MailListener::SaveMail(const Ptr<outlook::IMailItem>& mail) {
    ShowRecordInInspector(Globals::Synchronizer()->ImportRecordFromItem(mail, nullptr));
}

void MailListener::ShowRecordInInspector(const Ptr<kelo::IRecord>& record) {
    const auto window = Globals::Application()->ShowRecord(record, nullptr, kelo::kShowModeNewWindow);
    window->Show();
    window->Activate();
}

void MailListener::SaveAttachedContacts() { AttachedContacts::Import(ActiveInspectorMail()); }

void MailListener::AttachBusinessCard() { AttachBusinessCardToMail(ActiveInspectorMail()); }

void MailListener::FindAddress(const Ptr<outlook::IMailItem>& mail) {
    const auto session = Globals::Outlook()->Session();
    Ptr<outlook::ISelectNamesDialog> dialog;
    IgnoreErrors([&] { dialog = session->GetSelectNamesDialog(); });
    if (!dialog) return;
    Ptr<outlook::IAddressList> keloList;
    const auto lists = session->AddressLists();
    for (std::int32_t i = 1; i <= lists->Count() && !keloList; ++i) {
        const auto list = lists->Item(i);
        if (list->AddressListType() == outlook::olOutlookLdapAddressList && list->Name().starts_with("Kelo")) {
            keloList = list;
        }
    }
    if (!keloList) Tools::RaiseError(Tools::GetText("KeloAddressBookMissing"));
    dialog->SetInitialAddressList(keloList);
    dialog->SetShowOnlyInitialAddressList(true);
    if (!dialog->Display()) return;
    const auto chosen = dialog->Recipients();
    for (std::int32_t i = 1; i <= chosen->Count(); ++i) {
        const auto recipient = chosen->Item(i);
        recipient->Resolve();
        if (recipient->Address().empty()) continue;
        const auto added = mail->Recipients()->Add(recipient->Address());
        added->SetType(recipient->Type());
        added->Resolve();
    }
}

void MailListener::InsertLink(const Ptr<outlook::IMailItem>& mail) {
    const auto application = Globals::Application();
    const auto inspector = application->ActiveInspector();
    if (!inspector) {
        Tools::ShowMessage(Tools::GetText("OpenKeloInspectorAndTryAgain"), kInformationBox);
        return;
    }
    const auto record = inspector->Record();
    const std::string link = "<A HREF='" + application->Link(record, kelo::linkkind::Desktop) + "'>" +
                             record->Descriptive() + "</A><BR/>";
    mail->SetHTMLBody(link + mail->HTMLBody());
}

void MailListener::AttachBusinessCardToMail(const Ptr<outlook::IMailItem>& mail) {
    if (Must(mail).Sent()) return;
    Ptr<kelo::IRecord> coworker;
    IgnoreErrors([&] { coworker = Must(Globals::Application()->ActiveUser()).Record(); });
    if (!coworker) Tools::RaiseError(Tools::GetText("NoActiveUser"));
    // Only a card is made from it: the contact item is never saved.
    const auto contact = Cast<outlook::IContactItem>(Globals::Outlook()->CreateItem(outlook::olContactItem));
    Globals::Synchronizer()->UpdateContactItemFromRecord(contact, coworker);
    mail->AddBusinessCard(contact);
}

}  // namespace ostrellix::addin

#include "messenger/MessengerControl.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDatabase.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/kelo/IField.h"
#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IWorkDialog.h"
#include "contracts/mapi/Constants.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/INameSpace.h"
#include "contracts/win/IMessageBox.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "messenger/FieldMenu.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

using Kind = FormControl::Kind;

constexpr std::int32_t kRemoveFilter = 99;
constexpr std::int32_t kEditFilter = 100;
constexpr std::int32_t kNewFilter = 101;
constexpr std::int32_t kFirstStoredFilter = 102;
constexpr std::int32_t kNewMessage = 100;
constexpr std::int32_t kFirstTemplate = 101;

// The panel's layout: three switches above the message, filter and field frames.
std::vector<FormControl> PanelControls() {
    struct Place {
        const char* name;
        Kind kind;
        const char* key;
        const char* frame;
        std::int32_t left, top, width, height;
    };
    static constexpr Place kPlaces[] = {
        {"CtrlSendOneByOne", Kind::CheckBox, "SendOneByOne", "", 8, 8, 320, 20},
        {"CtrlSaveOnlyFirstMail", Kind::CheckBox, "SaveOnlyFirstMail", "", 8, 32, 320, 20},
        {"CtrlIgnoreDuplicates", Kind::CheckBox, "IgnoreDuplicates", "", 8, 56, 320, 20},
        {"CtrlMessageFrame", Kind::Frame, "MessageFrame", "", 8, 84, 420, 64},
        {"CtrlLabelTemplate", Kind::Label, "Message", "CtrlMessageFrame", 16, 104, 80, 20},
        {"CtrlTemplate", Kind::Label, "", "CtrlMessageFrame", 100, 104, 320, 20},
        {"CtrlNewButton", Kind::CommandButton, "NewMessage", "CtrlMessageFrame", 100, 124, 110, 22},
        {"CtrlEditButton", Kind::CommandButton, "EditMessage", "CtrlMessageFrame", 216, 124, 110, 22},
        {"CtrlFilterFrame", Kind::Frame, "FilterFrame", "", 8, 156, 420, 56},
        {"CtrlFilter", Kind::Label, "", "CtrlFilterFrame", 16, 176, 290, 20},
        {"CtrlFilterButton", Kind::CommandButton, "SelectFilter", "CtrlFilterFrame", 312, 176, 110, 22},
        {"CtrlFieldFrame", Kind::Frame, "FieldFrame", "", 8, 220, 420, 56},
        {"CtrlLabelField", Kind::Label, "Field", "CtrlFieldFrame", 16, 240, 80, 20},
        {"CtrlField", Kind::Label, "", "CtrlFieldFrame", 100, 240, 200, 20},
        {"CtrlFieldButton", Kind::CommandButton, "SelectField", "CtrlFieldFrame", 312, 240, 110, 22},
    };
    std::vector<FormControl> controls;
    for (const Place& place : kPlaces) {
        controls.push_back({.name = place.name,
                            .kind = place.kind,
                            .caption = place.key,
                            .value = place.kind == Kind::CheckBox ? Variant(std::int16_t{0}) : Variant(),
                            .container = place.frame,
                            .left = place.left,
                            .top = place.top,
                            .width = place.width,
                            .height = place.height});
    }
    return controls;
}

// The local names along a field path ("company.email"), joined as the path is.
std::string LocalNameOf(Ptr<kelo::IClass> cls, const std::string& path) {
    std::string shown;
    for (const std::string& part : text::Split(path, ".")) {
        const auto field = Must(cls).Fields()->FindByName(part);
        if (!field) return "";
        shown += (shown.empty() ? "" : ".") + field->LocalName();
        if (const auto other = field->Counterpart()) cls = other->Class();
    }
    return shown;
}

}  // namespace

MessengerControl::MessengerControl() : Form("MessengerControl", "Caption", PanelControls()) {
    On("CtrlSendOneByOne", [this] { CheckBox_Click("SendOneByOne", "CtrlSendOneByOne"); });
    On("CtrlSaveOnlyFirstMail", [this] { CheckBox_Click("SaveOnlyFirstMail", "CtrlSaveOnlyFirstMail"); });
    On("CtrlIgnoreDuplicates", [this] { CheckBox_Click("IgnoreDuplicates", "CtrlIgnoreDuplicates"); });
    On("CtrlNewButton", [this] { CtrlNewButton_Click(); });
    On("CtrlEditButton", [this] { CtrlEditButton_Click(); });
    On("CtrlFieldButton", [this] { CtrlFieldButton_Click(); });
    On("CtrlFilterButton", [this] { CtrlFilterButton_Click(); });
}

// The panel's caption keys are plain text keys: the client's messenger
// window shows it too, so they do not belong to one dialog.
void MessengerControl::Form_Load() {
    for (FormControl& control : ControlList()) {
        if (control.HasCaption() && !control.caption.empty()) control.caption = Tools::GetText(control.caption);
    }
}

void MessengerControl::IMessengerOptionsControl_SetMessenger(const Ptr<kelo::IMessenger>& messenger) {
    messenger_ = messenger;
    if (!properties_) properties_ = Cast<kelo::IProperties>(Globals::Application()->CreateObject("QVR.Properties"));
    Must(messenger_).IMessenger_SaveProperties(properties_);
}

void MessengerControl::IMessengerOptionsControl_Activate() {
    properties_ = Cast<kelo::IProperties>(Globals::Application()->CreateObject("QVR.Properties"));
    Must(messenger_).IMessenger_SaveProperties(properties_);
    Refresh();
}

bool MessengerControl::IMessengerOptionsControl_Save(bool validate) {
    // The message window still holds edits the messenger would not see.
    if (m_OutlookInspector) Tools::RaiseError(Tools::GetText("PleaseCloseInspector"));
    Must(messenger_).IMessenger_LoadProperties(properties_);
    if (validate) messenger_->IMessenger_Validate();
    return true;
}

std::pair<std::int32_t, std::int32_t> MessengerControl::Below(std::string_view button) {
    const FormControl& control = Ctrl(button);
    return {control.left, control.top + control.height};
}

Ptr<kelo::IClass> MessengerControl::MailingClass() {
    return Globals::Application()->Classes()->FindByName(properties_->Value("Class").ToString());
}

Ptr<kelo::IFilter> MessengerControl::CurrentFilter() {
    const Variant value = properties_->Value("Filter");
    return value.IsObject() ? value.ToObjectAs<kelo::IFilter>() : nullptr;
}

void MessengerControl::CheckBox_Click(const char* property, const char* control) {
    properties_->SetValue(property, Variant(Ctrl(control).value.ToLong() == 1));
    Refresh();
}

void MessengerControl::CtrlNewButton_Click() {
    Handle("MessengerControl.CtrlNewButton_Click", [this] {
        std::vector<win::MenuItem> items{{kNewMessage, Tools::GetText("NewMessage"), true, {}}};
        std::vector<Ptr<kelo::IDocumentTemplate>> templates;
        {
            const WaitCursor wait;
            Ptr<kelo::IDocumentTemplates> found;
            Must(Globals::Addin()).GetTemplates(MailingClass(), nullptr, found);
            for (std::int32_t i = 1; i <= found->Count(); ++i) templates.push_back(found->Item(i));
            std::stable_sort(templates.begin(), templates.end(), [](const auto& a, const auto& b) {
                return text::StrComp(a->Name(), b->Name(), text::Compare::Text) < 0;
            });
            for (std::size_t i = 0; i < templates.size(); ++i) {
                items.push_back({kFirstTemplate + static_cast<std::int32_t>(i), templates[i]->Name(), true, {}});
            }
        }
        const auto [x, y] = Below("CtrlNewButton");
        const std::int32_t chosen = Globals::System().Menus().Show(items, x, y, 0);
        if (chosen == kNewMessage) {
            OpenForEditing(Globals::Outlook()->CreateItem(outlook::olMailItem));
        } else if (chosen >= kFirstTemplate && chosen - kFirstTemplate < static_cast<std::int32_t>(templates.size())) {
            const std::string path = Tools::MakeTempFileName("msg");
            Ptr<outlook::IItem> item;
            PassOn(
                [&] {
                    templates[static_cast<std::size_t>(chosen - kFirstTemplate)]->WriteFile(path);
                    item = Globals::Outlook()->CreateItemFromTemplate(path);
                },
                [&] { std::remove(path.c_str()); });
            std::remove(path.c_str());
            OpenForEditing(item);
        }
    });
}

void MessengerControl::CtrlEditButton_Click() {
    Handle("MessengerControl.CtrlEditButton_Click", [this] {
        if (m_OutlookInspector) {
            m_OutlookInspector->Activate();
            return;
        }
        OpenForEditing(Globals::Outlook()->Session()->GetItemFromID(properties_->Value("Message").ToString()));
    });
}

void MessengerControl::CtrlFieldButton_Click() {
    Handle("MessengerControl.CtrlFieldButton_Click", [this] {
        const auto menu = std::make_shared<FieldMenu>();
        menu->SetFields(Must(MailingClass()).Fields());
        menu->SetFieldTypes(Variant(kelo::fieldtype::EMail));
        menu->SetEmptyMenuText(Tools::GetText("EmailFieldMissing"));
        const auto [x, y] = Below("CtrlFieldButton");
        const std::string chosen = menu->Show(x, y, 0);
        if (chosen.empty()) return;
        properties_->SetValue("Field", Variant(chosen));
        Refresh();
    });
}

void MessengerControl::CtrlFilterButton_Click() {
    Handle("MessengerControl.CtrlFilterButton_Click", [this] {
        const auto current = CurrentFilter();
        std::vector<win::MenuItem> items;
        if (current) items.push_back({kRemoveFilter, Tools::GetText("RemoveFilter"), true, {}});
        items.push_back({kEditFilter, Tools::GetText("EditFilter"), true, {}});
        items.push_back({kNewFilter, Tools::GetText("NewFilter"), true, {}});
        const auto cls = MailingClass();
        const auto stored = cls ? Globals::Application()->Database()->Filters(cls) : nullptr;
        const std::int32_t storedCount = stored ? stored->Count() : 0;
        for (std::int32_t i = 1; i <= storedCount; ++i) {
            items.push_back({kFirstStoredFilter + i - 1, stored->Name(i), true, {}});
        }
        const auto [x, y] = Below("CtrlFilterButton");
        const std::int32_t chosen = Globals::System().Menus().Show(items, x, y, 0);
        const auto fresh = [] { return Cast<kelo::IFilter>(Globals::Application()->CreateObject("QVR.Filter")); };
        switch (chosen) {
            case kRemoveFilter: properties_->SetValue("Filter", Variant()); break;
            case kEditFilter: EditFilter(current ? current : fresh()); break;
            case kNewFilter: EditFilter(fresh()); break;
            default:
                // A stored filter is taken as it is, as a filter of the mailing's own.
                if (chosen >= kFirstStoredFilter && chosen < kFirstStoredFilter + storedCount) {
                    properties_->SetValue("Filter",
                                          Variant(ObjectPtr(stored->Filter(chosen - kFirstStoredFilter + 1))));
                }
                break;
        }
        Refresh();
    });
}

void MessengerControl::EditFilter(const Ptr<kelo::IFilter>& filter) {
    const auto dialog = Cast<kelo::IWorkDialog>(Globals::Application()->CreateObject("Kelo.Dialog"));
    dialog->SetParameter("Class", properties_->Value("Class"));
    dialog->SetParameter("Filter", Variant(ObjectPtr(filter)));
    if (dialog->Show() == kelo::dialogresult::OK) properties_->SetValue("Filter", dialog->Parameter("Filter"));
}

void MessengerControl::OpenForEditing(const Ptr<outlook::IItem>& item) {
    StopEditing();
    sendPressed_ = false;
    mailWritten_ = false;
    Must(item);
    const auto inspector = item->GetInspector();
    Must(inspector);
    m_OutlookMail = item;
    m_OutlookInspector = inspector;
    mailSend_ = item->Events().Send.Connect([this](bool& cancel) { OnMailSend(cancel); });
    mailWrite_ = item->Events().Write.Connect([this](bool&) {
        mailWritten_ = true;
        RefreshMessageLabel();
    });
    inspectorClose_ = m_OutlookInspector->Events().Close.Connect([this] { OnInspectorClose(); });
    m_OutlookInspector->Display();
    Refresh();
}

void MessengerControl::OnMailSend(bool& cancel) {
    const auto self = SelfAs<MessengerControl>();
    cancel = true;
    sendPressed_ = true;
    m_OutlookInspector->Close(outlook::olSave);
}

void MessengerControl::OnInspectorClose() {
    const auto self = SelfAs<MessengerControl>();
    Handle("MessengerControl.m_OutlookInspector_Close", [this] {
        const auto mail = m_OutlookMail;
        StopEditing();
        if (mailWritten_) {
            const std::string entryId = mail->EntryID();
            const std::string path = Tools::MakeTempFileName("msg");
            const auto document = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
            PassOn(
                [&] {
                    Must(Globals::Redemption()->GetMessageFromID(entryId)).SaveAs(path, mapi::olMSG);
                    document->LoadFromFile(path);
                },
                [&] { std::remove(path.c_str()); });
            properties_->SetValue("Template", Variant(ObjectPtr(document)));
            std::remove(path.c_str());
            properties_->SetValue("Message", Variant(entryId));
        }
        if (!sendPressed_) Tools::ShowMessage(Tools::GetText("Text.UseSendButton"), win::mb::IconInformation);
        Refresh();
    });
}

void MessengerControl::StopEditing() {
    mailSend_.Disconnect();
    mailWrite_.Disconnect();
    inspectorClose_.Disconnect();
    m_OutlookInspector.reset();
    m_OutlookMail.reset();
}

void MessengerControl::RefreshMessageLabel() {
    std::string subject;
    IgnoreErrors([&] {
        if (m_OutlookMail) {
            subject = m_OutlookMail->Subject();
            return;
        }
        const std::string entryId = properties_->Value("Message").ToString();
        if (!entryId.empty()) subject = Must(Globals::Outlook()->Session()->GetItemFromID(entryId)).Subject();
    });
    Ctrl("CtrlTemplate").caption = subject.empty() ? Tools::GetText("MissingSubject") : subject;
}

void MessengerControl::Refresh() {
    std::string filter;
    IgnoreErrors([&] {
        if (const auto current = CurrentFilter()) filter = current->Description();
    });
    Ctrl("CtrlFilter").caption = filter;
    RefreshMessageLabel();
    std::string field;
    IgnoreErrors([&] { field = LocalNameOf(MailingClass(), properties_->Value("Field").ToString()); });
    Ctrl("CtrlField").caption = field;
    bool message = m_OutlookMail != nullptr;
    IgnoreErrors([&] { message = message || !properties_->Value("Message").ToString().empty(); });
    Ctrl("CtrlEditButton").enabled = message;
    for (const auto& box : {std::pair{"CtrlSendOneByOne", "SendOneByOne"},
                            std::pair{"CtrlSaveOnlyFirstMail", "SaveOnlyFirstMail"},
                            std::pair{"CtrlIgnoreDuplicates", "IgnoreDuplicates"}}) {
        bool on = false;
        IgnoreErrors([&] { on = properties_->Value(box.second).ToBoolean(); });
        Ctrl(box.first).value = Variant(static_cast<std::int16_t>(on ? 1 : 0));
    }
}

}  // namespace ostrellix::addin

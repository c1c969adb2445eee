#include "sync/InspectorListener.h"

#include "contracts/kelo/Codes.h"
#include "contracts/outlook/IApplication.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "core/WorkDialogRun.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr std::int32_t kInformationBox = 64;

Ptr<outlook::IItem> ActiveInspectorItem() { return Must(Globals::Outlook()->ActiveInspector()).CurrentItem(); }

// Where a record window opened from Outlook belongs: the record or list window the Kelo user has in front.
ObjectPtr CurrentContext() {
    const auto application = Globals::Application();
    if (const auto inspector = application->ActiveInspector()) return inspector;
    return application->ActiveExplorer();
}

void AddButton(const Ptr<office::ICommandBar>& bar, std::string_view captionKey, const char* tag) {
    const auto button = bar->AddButton(true);
    button->SetCaption(Tools::GetText(captionKey));
    button->SetTag(tag);
    button->SetStyle(office::msoButtonIconAndCaption);
    button->SetVisible(true);
}

}  // namespace

void InspectorListener::Initialize() {
    kind_.log("Initialize");
    m_OutlookInspectors = Globals::Outlook()->Inspectors();
    newInspector_ = m_OutlookInspectors->Events().NewInspector.Connect(
        [this](const Ptr<outlook::IInspector>& inspector) { OnNewInspector(inspector); });
}

std::string InspectorListener::Location(const char* procedure) const {
    return std::string(kind_.className) + "." + procedure;
}

void InspectorListener::OnNewInspector(const Ptr<outlook::IInspector>& inspector) {
    const auto self = SelfAs<InspectorListener>();
    Trap(
        [&] {
            kind_.log("m_OutlookInspectors_NewInspector: " + inspector->Caption());
            if (!kind_.accepts(inspector->CurrentItem())) return;
            m_OutlookInspector = inspector;
            inspectorClose_ = inspector->Events().Close.Connect([this] { OnInspectorClose(); });
            AddButtons(inspector);
        },
        [&](const ComError& error) { Tools::LogError(error, kind_.newInspectorLocation); });
}

void InspectorListener::AddButtons(const Ptr<outlook::IInspector>& inspector) {
    Ptr<office::ICommandBar> bar;
    IgnoreErrors([&] { bar = inspector->CommandBars()->Item("Standard"); });
    if (!bar) return;
    // An item paired with a record offers to open it; any other item to be saved as one.
    const bool paired = Globals::Synchronizer()->IsItemEnabledForSynchronization(inspector->CurrentItem());
    if (!paired && !bar->FindControl(kind_.saveTag)) AddButton(bar, "SaveInKelo", kind_.saveTag);
    if (paired && !bar->FindControl(kind_.openTag)) AddButton(bar, "OpenInKelo", kind_.openTag);
    Bind(m_SaveButton, bar, kind_.saveTag, &InspectorListener::OnSaveClick);
    Bind(m_OpenButton, bar, kind_.openTag, &InspectorListener::OnOpenClick);
}

void InspectorListener::Bind(ButtonMember& member, const Ptr<office::ICommandBar>& bar, const char* tag,
                             void (InspectorListener::*click)()) {
    member.click.Disconnect();
    member.control = bar->FindControl(tag);
    if (!member.control) return;
    member.click = member.control->Events().Click.Connect(
        [this, click](const Ptr<office::ICommandBarButton>&, bool&) { (this->*click)(); });
}

void InspectorListener::OnInspectorClose() {
    const auto self = SelfAs<InspectorListener>();
    RemoveButtons();
}

void InspectorListener::RemoveButtons() {
    for (ButtonMember* member : {&m_SaveButton, &m_OpenButton}) {
        IgnoreErrors([&] {
            if (member->control) member->control->Delete();
        });
        member->click.Disconnect();
        member->control.reset();
    }
    inspectorClose_.Disconnect();
    m_OutlookInspector.reset();
}

void InspectorListener::OnSaveClick() {
    // The work may drop the object registry that holds this listener.
    const auto self = SelfAs<InspectorListener>();
    Trap(
        [&] {
            const auto item = ActiveInspectorItem();
            if (!kind_.accepts(item)) return;
            item->Save();
            m_WorkDialog = Cast<kelo::IWorkDialog>(Globals::Application()->CreateObject("Kelo.Dialog"));
            m_WorkDialog->SetCaption(Tools::GetText("WorkingCaption"));
            m_WorkDialog->SetText(Tools::GetText("WorkingText"));
            m_WorkDialog->SetParameter("Item", Variant(item));
            WorkDialogRun::Show(m_WorkDialog, [this] { OnWork(); });
        },
        [&](const ComError& error) { Tools::ReportError(error, Location("m_SaveButton_Click")); });
}

void InspectorListener::OnWork() {
    Trap(
        [&] {
            const auto item = m_WorkDialog->Parameter("Item").ToObjectAs<outlook::IItem>();
            const auto record = Globals::Synchronizer()->ImportRecordFromItem(item, CurrentContext());
            const auto window = Globals::Application()->ShowRecord(record, nullptr, kelo::kShowModeNewWindow);
            // The window's KeloSynchListener pairs record and item once the user saves the record.
            window->SetValue("OutlookItem", Variant(item));
            window->Show();
            window->SetChanged(true);
        },
        [&](const ComError& error) { Tools::ReportError(error, Location("m_WorkDialog_Work")); });
}

void InspectorListener::OnOpenClick() {
    const auto self = SelfAs<InspectorListener>();
    Trap(
        [&] {
            const auto record = Globals::Synchronizer()->FindRecordFromItem(ActiveInspectorItem());
            if (!record) {
                Tools::ShowMessage(Tools::GetText(kind_.notFoundKey), kInformationBox);
                return;
            }
            const auto window = Globals::Application()->ShowRecord(record, nullptr, kelo::kShowModeNewWindow);
            window->Show();
            window->Activate();
        },
        [&](const ComError& error) { Tools::ReportError(error, Location("m_OpenButton_Click")); });
}

}  // namespace ostrellix::addin

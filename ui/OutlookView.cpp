#include "ui/OutlookView.h"

#include <pugixml.hpp>
#include <sstream>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/INameSpace.h"
#include "contracts/outlook/IViews.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

namespace ol = outlook;

constexpr const char* kPaneSettings = "PaneSettings";
constexpr const char* kDefaultView = "DefaultView";
constexpr const char* kCalendarViewMode = "CalendarViewMode";
constexpr const char* kEmptyView = "<view/>";
// Outlook keeps a calendar view's arrangement as its own property from this version on.
constexpr std::int16_t kFirstVersionWithCalendarViewMode = 12;

// The calendar buttons and the arrangement each stands for.
struct CalendarButton {
    const char* name;
    std::int32_t mode;
};
constexpr CalendarButton kCalendarButtons[] = {{"CtrlDay", ol::olCalendarViewDay},
                                               {"CtrlWeek", ol::olCalendarView5DayWeek},
                                               {"CtrlFullWeek", ol::olCalendarViewWeek},
                                               {"CtrlMonth", ol::olCalendarViewMonth}};

std::vector<FormControl> ChildControls() {
    using Kind = FormControl::Kind;
    std::vector<FormControl> controls{
        {.name = "CtrlOutlook", .kind = Kind::Other},
        {.name = "CtrlViews", .kind = Kind::ComboBox},
        {.name = "CtrlOptions", .kind = Kind::Frame, .caption = "Options"},
        {.name = "CtrlIcon", .kind = Kind::Other},
    };
    for (const char* name : {"CtrlDay", "CtrlWeek", "CtrlFullWeek", "CtrlMonth"}) {
        controls.push_back({.name = name,
                            .kind = Kind::OptionButton,
                            .caption = std::string(name).substr(4),
                            .value = Variant(false),
                            .container = "CtrlOptions"});
    }
    return controls;
}

// The default folder another user shares for a kind of item.
std::int32_t SharedFolderType(const Ptr<ol::IFolder>& folder) {
    switch (folder ? folder->DefaultItemType() : ol::olAppointmentItem) {
        case ol::olMailItem: return ol::olFolderInbox;
        case ol::olContactItem: return ol::olFolderContacts;
        case ol::olTaskItem: return ol::olFolderTasks;
        default: return ol::olFolderCalendar;
    }
}

// Before Outlook 12 the arrangement lives only in the view's XML.
void SetModeInXml(const Ptr<ol::IView>& view, std::int32_t mode) {
    pugi::xml_document document;
    const std::string xml = view->XML();
    if (!document.load_buffer(xml.data(), xml.size())) Tools::RaiseError("The view's XML cannot be read.");
    pugi::xml_node node = document.select_node("view/mode").node();
    if (!node) RaiseRuntimeError(errors::ObjectVariableNotSet);
    node.text().set(mode);
    std::ostringstream out;
    document.save(out, "", pugi::format_raw);
    view->SetXML(out.str());
}

}  // namespace

OutlookView::OutlookView() : Form("OutlookView", "", ChildControls()) {
    On("CtrlViews", [this] { Handle("OutlookView.CtrlViews_Click", [this] { ApplyView(); }); });
    for (const CalendarButton& button : kCalendarButtons) {
        const std::string location = std::string("OutlookView.") + button.name + "_Click";
        On(button.name, [this, location] { Handle(location.c_str(), [this] { ApplyView(); }); });
    }
    On("CtrlIcon", [this] { Handle("OutlookView.CtrlIcon_Click", [this] { NewItem(); }); });
}

void OutlookView::Start() {
    if (ctrlOutlook_) return;
    Load();
    Tools::LocalizeForm(*this);
    const std::string fontName = Globals::Application()->FontName();
    for (FormControl& control : ControlList()) control.fontName = fontName;
    ctrlOutlook_ = Cast<ol::IViewControl>(Globals::System().CreateObject(ol::kViewControlProgId));
    ctrlOutlook_->SetViewXML(kEmptyView);
}

Ptr<ol::IViewControl> OutlookView::ViewControl() {
    Start();
    return ctrlOutlook_;
}

void OutlookView::SetFolder(const Ptr<ol::IFolder>& folder) {
    Start();
    folder_ = folder;
    settings_ = Globals::Options()->Settings()->Child(kPaneSettings)->Child(Must(folder).Name());
    ctrlOutlook_->SetFolder(folder->FolderPath());

    FormControl& views = Ctrl("CtrlViews");
    views.list.clear();
    views.listIndex = -1;
    const auto folderViews = folder->Views();
    for (std::int32_t i = 1; i <= folderViews->Count(); ++i) views.list.push_back(folderViews->Item(i)->Name());
    const std::string stored = settings_->Value(kDefaultView, Variant("")).ToString();
    for (std::size_t i = 0; i < views.list.size(); ++i) {
        if (views.list[i] == stored) views.listIndex = static_cast<std::int32_t>(i);
    }
    // A stored view the folder no longer has counts as none stored.
    if (views.listIndex < 0 && !views.list.empty()) views.listIndex = 0;

    Press(settings_->Value(kCalendarViewMode, Variant(-1)).ToLong());
    ApplyView();
    EnableDisable();
}

void OutlookView::Press(std::int32_t mode) {
    const char* pressed = "CtrlDay";
    for (const CalendarButton& button : kCalendarButtons) {
        if (button.mode == mode) pressed = button.name;
    }
    for (const CalendarButton& button : kCalendarButtons) {
        Ctrl(button.name).value = Variant(std::string_view(button.name) == pressed);
    }
}

std::int32_t OutlookView::PressedMode() {
    for (const CalendarButton& button : kCalendarButtons) {
        if (Ctrl(button.name).value.ToBoolean()) return button.mode;
    }
    return ol::olCalendarViewDay;
}

void OutlookView::ApplyView() {
    const std::string name = Ctrl("CtrlViews").Text();
    const auto views = Must(folder_).Views();
    Ptr<ol::IView> view;
    for (std::int32_t i = 1; i <= views->Count() && !view; ++i) {
        if (views->Item(i)->Name() == name) view = views->Item(i);
    }
    if (!view) return;
    const bool calendar = view->ViewType() == ol::olCalendarView;
    const std::int32_t mode = PressedMode();
    if (calendar) {
        if (Globals::GetOutlookMajorVersion() < kFirstVersionWithCalendarViewMode) {
            SetModeInXml(view, mode);
        } else {
            view->SetCalendarViewMode(mode);
        }
    }
    ctrlOutlook_->SetViewXML(view->XML());
    settings_->SetValue(kDefaultView, Variant(view->Name()));
    if (calendar) settings_->SetValue(kCalendarViewMode, Variant(static_cast<std::int16_t>(mode)));
}

void OutlookView::EnableDisable() {
    const auto view = CurrentView();
    Ctrl("CtrlOptions").enabled = view && view->ViewType() == ol::olCalendarView;
}

Ptr<ol::IView> OutlookView::CurrentView() {
    if (!folder_) return nullptr;
    return folder_->Views()->Item(Ctrl("CtrlViews").Text());
}

void OutlookView::SetCurrentView(const Ptr<ol::IView>& view) { ViewControl()->SetViewXML(Must(view).XML()); }

void OutlookView::NewItem() {
    const auto control = ViewControl();
    switch (Must(folder_).DefaultItemType()) {
        case ol::olMailItem: control->NewMessage(); break;
        case ol::olAppointmentItem: control->NewAppointment(); break;
        case ol::olContactItem: control->NewContact(); break;
        case ol::olTaskItem: control->NewTask(); break;
        default: break;
    }
}

void OutlookView::OpenSharedFolder() {
    Handle("OutlookView.OpenSharedFolder", [this] {
        const auto owner = Globals::Addin()->PickOutlookRecipient();
        if (!owner) return;
        SetFolder(Globals::Outlook()->Session()->GetSharedDefaultFolder(owner, SharedFolderType(folder_)));
        EnableDisable();
    });
}

Variant OutlookView::Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) {
    const bool put = kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef;
    const auto expect = [&](std::size_t count) {
        if (arguments.size() != count) RaiseRuntimeError(errors::WrongNumberOfArguments);
    };
    if (text::EqualsIgnoreCase(member, "Folder")) {
        expect(put ? 1 : 0);
        if (!put) return Variant(ObjectPtr(Folder()));
        SetFolder(Cast<ol::IFolder>(arguments[0].ToObject()));
        return {};
    }
    if (text::EqualsIgnoreCase(member, "CurrentView")) {
        expect(put ? 1 : 0);
        if (!put) return Variant(ObjectPtr(CurrentView()));
        SetCurrentView(Cast<ol::IView>(arguments[0].ToObject()));
        return {};
    }
    if (put) RaiseRuntimeError(errors::NotSupported);
    expect(0);
    if (text::EqualsIgnoreCase(member, "EnableDisable")) {
        EnableDisable();
        return {};
    }
    if (text::EqualsIgnoreCase(member, "ViewControl")) return Variant(ObjectPtr(ViewControl()));
    if (text::EqualsIgnoreCase(member, "OpenSharedFolder")) {
        OpenSharedFolder();
        return {};
    }
    RaiseRuntimeError(errors::NotSupported);
}

}  // namespace ostrellix::addin

#include "ui/FormPanes.h"

#include <algorithm>
#include <functional>

#include "contracts/outlook/INameSpace.h"
#include "contracts/win/IMessageBox.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

namespace ol = outlook;

constexpr const char* kCheckBoxes[] = {"CtrlShowInboxPane", "CtrlShowCalendarPane", "CtrlShowTasksPane",
                                       "CtrlShowContactsPane"};

std::vector<FormControl> PaneControls() {
    using Kind = FormControl::Kind;
    std::vector<FormControl> controls{
        {.name = "CtrlList", .kind = Kind::ListBox},
        {.name = "CtrlAdd", .kind = Kind::CommandButton, .caption = "Add"},
        {.name = "CtrlDelete", .kind = Kind::CommandButton, .caption = "Delete"},
        {.name = "CtrlMoveUp", .kind = Kind::CommandButton, .caption = "MoveUp"},
        {.name = "CtrlMoveDown", .kind = Kind::CommandButton, .caption = "MoveDown"},
    };
    for (const char* name : kCheckBoxes) {
        controls.push_back({.name = name,
                            .kind = Kind::CheckBox,
                            .caption = std::string(name).substr(4),
                            .value = Variant(std::int16_t{0})});
    }
    controls.push_back({.name = "CtrlOK", .kind = Kind::CommandButton, .caption = "OK"});
    controls.push_back({.name = "CtrlCancel", .kind = Kind::CommandButton, .caption = "Cancel"});
    return controls;
}

Ptr<ol::IFolder> Resolve(const std::string& entryId) {
    Ptr<ol::IFolder> folder;
    IgnoreErrors([&] { folder = Globals::Outlook()->Session()->GetFolderFromID(entryId); });
    return folder;
}

}  // namespace

FormPanes::FormPanes() : Form("FormPanes", "Caption", PaneControls()) {
    On("CtrlList", [this] { EnableButtons(); });
    On("CtrlAdd", [this] { CtrlAdd_Click(); });
    On("CtrlDelete", [this] { CtrlDelete_Click(); });
    On("CtrlMoveUp", [this] { CtrlMoveUp_Click(); });
    On("CtrlMoveDown", [this] { CtrlMoveDown_Click(); });
    On("CtrlOK", [this] { CtrlOK_Click(); });
    On("CtrlCancel", [this] { CtrlCancel_Click(); });
    for (const char* name : kCheckBoxes) {
        On(name, [this, name] { CtrlShowPane_Click(name); });
    }
}

void FormPanes::Show() { Globals::System().Forms().ShowModal(SelfAs<FormPanes>()); }

void FormPanes::Form_Load() {
    Handle("FormPanes.Form_Load", [this] {
        Tools::LocalizeForm(*this);
        for (const std::string& entryId : Globals::Options()->Panes()) AddFolder(entryId);
        RefreshCheckBoxes();
        EnableButtons();
    });
}

std::string FormPanes::DefaultFolderEntryID(const std::string& checkBox) {
    const auto synchronizer = Globals::Synchronizer();
    Ptr<ol::IFolder> folder;
    if (checkBox == "CtrlShowInboxPane") folder = synchronizer->InboxFolder();
    if (checkBox == "CtrlShowCalendarPane") folder = synchronizer->CalendarFolder();
    if (checkBox == "CtrlShowTasksPane") folder = synchronizer->TasksFolder();
    if (checkBox == "CtrlShowContactsPane") folder = synchronizer->ContactsFolder();
    return Must(folder).EntryID();
}

void FormPanes::AddFolder(const std::string& entryId) {
    const auto folder = Resolve(entryId);
    if (!folder) return;
    const std::string display = folder->FolderPath();
    if (folders_.Exists(display)) return;
    Ctrl("CtrlList").list.push_back(display);
    folders_.Add(display, Variant(entryId));
    RefreshCheckBoxes();
    dirty_ = true;
    EnableButtons();
}

void FormPanes::RefreshCheckBoxes() {
    std::vector<std::string> listed;
    for (const Variant& entryId : folders_.Items()) listed.push_back(entryId.ToString());
    for (const char* name : kCheckBoxes) {
        const std::string entryId = DefaultFolderEntryID(name);
        const bool shown = std::find(listed.begin(), listed.end(), entryId) != listed.end();
        Ctrl(name).value = Variant(static_cast<std::int16_t>(shown ? 1 : 0));
    }
}

void FormPanes::EnableButtons() {
    const FormControl& list = Ctrl("CtrlList");
    const auto last = static_cast<std::int32_t>(list.list.size()) - 1;
    Ctrl("CtrlDelete").enabled = list.listIndex >= 0;
    Ctrl("CtrlMoveUp").enabled = list.listIndex >= 1;
    Ctrl("CtrlMoveDown").enabled = list.listIndex < last;
}

void FormPanes::RemoveAt(std::int32_t index) {
    FormControl& list = Ctrl("CtrlList");
    folders_.Remove(list.list[static_cast<std::size_t>(index)]);
    list.list.erase(list.list.begin() + index);
    dirty_ = true;
}

void FormPanes::Swap(std::int32_t index, std::int32_t other) {
    FormControl& list = Ctrl("CtrlList");
    std::swap(list.list[static_cast<std::size_t>(index)], list.list[static_cast<std::size_t>(other)]);
    list.listIndex = other;
    dirty_ = true;
    EnableButtons();
}

void FormPanes::CtrlAdd_Click() {
    Handle("FormPanes.CtrlAdd_Click", [this] {
        const auto folder = Globals::Outlook()->Session()->PickFolder();
        if (folder) AddFolder(folder->EntryID());
    });
}

void FormPanes::CtrlDelete_Click() {
    Handle("FormPanes.CtrlDelete_Click", [this] {
        FormControl& list = Ctrl("CtrlList");
        const std::int32_t index = list.listIndex;
        if (index < 0) return;
        RemoveAt(index);
        const auto count = static_cast<std::int32_t>(list.list.size());
        list.listIndex = index < count ? index : count - 1;
        EnableButtons();
    });
}

void FormPanes::CtrlMoveUp_Click() {
    Handle("FormPanes.CtrlMoveUp_Click", [this] {
        const std::int32_t index = Ctrl("CtrlList").listIndex;
        if (index >= 1) Swap(index, index - 1);
    });
}

void FormPanes::CtrlMoveDown_Click() {
    Handle("FormPanes.CtrlMoveDown_Click", [this] {
        const FormControl& list = Ctrl("CtrlList");
        const std::int32_t index = list.listIndex;
        // With nothing selected the button is offered (the index is below the last) but has nothing to move.
        if (index >= 0 && index + 1 < static_cast<std::int32_t>(list.list.size())) Swap(index, index + 1);
    });
}

void FormPanes::CtrlShowPane_Click(const std::string& checkBox) {
    Handle("FormPanes.AddRemoveFolder", [this, &checkBox] { AddRemoveFolder(DefaultFolderEntryID(checkBox)); });
}

void FormPanes::AddRemoveFolder(const std::string& entryId) {
    FormControl& list = Ctrl("CtrlList");
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(list.list.size()); ++i) {
        if (folders_.Item(list.list[static_cast<std::size_t>(i)]).ToString() != entryId) continue;
        RemoveAt(i);
        // The selection stays on the entry it was on, and is gone with it.
        if (list.listIndex == i) list.listIndex = -1;
        if (list.listIndex > i) --list.listIndex;
        EnableButtons();
        return;
    }
    AddFolder(entryId);
}

void FormPanes::CtrlOK_Click() {
    Handle("FormPanes.CtrlOK_Click", [this] {
        if (dirty_) {
            std::vector<std::string> entryIds;
            for (const std::string& display : Ctrl("CtrlList").list) entryIds.push_back(folders_.Item(display).ToString());
            Globals::Options()->SetPanes(entryIds);
        }
        const auto addin = Globals::Addin();
        if (Globals::Application()->Panes()->Active()) {
            addin->RemoveFolderPanes();
            addin->AddFolderPanes();
        } else if (Ctrl("CtrlList").list.empty()) {
            addin->RemoveFolderPanes();
        } else {
            Tools::ShowMessage(Tools::GetText("FormPanes.RestartRequired"), win::mb::IconInformation);
        }
        Hide();
    });
}

void FormPanes::CtrlCancel_Click() { Hide(); }

}  // namespace ostrellix::addin

#include "ui/FormFolders.h"

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "sync/SyncFolders.h"

namespace ostrellix::addin {

namespace {

namespace ol = outlook;
using Kind = FormControl::Kind;

// The four folders in the order of the dialog's arrays, with their options.
struct FolderOption {
    std::int32_t defaultFolder;
    std::string (Options::*get)();
    void (Options::*set)(std::string_view);
};
const std::array<FolderOption, 4> kFolders{{
    {ol::olFolderInbox, &Options::InboxFolderEntryID, &Options::SetInboxFolderEntryID},
    {ol::olFolderCalendar, &Options::CalendarFolderEntryID, &Options::SetCalendarFolderEntryID},
    {ol::olFolderTasks, &Options::TasksFolderEntryID, &Options::SetTasksFolderEntryID},
    {ol::olFolderContacts, &Options::ContactsFolderEntryID, &Options::SetContactsFolderEntryID},
}};

std::string Indexed(const char* array, std::size_t index) {
    return std::string(array) + "(" + std::to_string(index) + ")";
}

std::vector<FormControl> FolderControls() {
    std::vector<FormControl> controls;
    for (std::size_t i = 0; i < kFolders.size(); ++i) {
        // The path is shown, not typed: a folder is chosen with the picker.
        controls.push_back({.name = Indexed("CtrlFolderName", i), .kind = Kind::TextBox, .value = Variant(""),
                            .enabled = false});
        const std::string pick = Indexed("CtrlPickFolder", i);
        controls.push_back({.name = pick, .kind = Kind::CommandButton, .caption = pick.substr(4)});
    }
    controls.push_back({.name = "CtrlUseMeetingOrganizer",
                        .kind = Kind::CheckBox,
                        .caption = "UseMeetingOrganizer",
                        .value = Variant(std::int16_t{0})});
    controls.push_back({.name = "CtrlMeetingOrganizer", .kind = Kind::TextBox, .value = Variant("")});
    controls.push_back({.name = "CtrlPickMeetingOrganizer", .kind = Kind::CommandButton, .caption = "PickMeetingOrganizer"});
    controls.push_back({.name = "CtrlOK", .kind = Kind::CommandButton, .caption = "OK"});
    controls.push_back({.name = "CtrlCancel", .kind = Kind::CommandButton, .caption = "Cancel"});
    return controls;
}

}  // namespace

FormFolders::FormFolders()
    : Form("FormFolders", "Caption", FolderControls()),
      organizer_(*this, "CtrlUseMeetingOrganizer", "CtrlMeetingOrganizer", "CtrlPickMeetingOrganizer") {
    for (std::size_t i = 0; i < kFolders.size(); ++i) {
        On(Indexed("CtrlPickFolder", i), [this, i] { CtrlPickFolder_Click(i); });
    }
    On("CtrlUseMeetingOrganizer", [this] { organizer_.EnableByBox(); });
    On("CtrlMeetingOrganizer", [this] { organizer_.Typed(); });
    On("CtrlPickMeetingOrganizer", [this] {
        Handle("FormFoldes.CtrlPickMeetingOrganizer_Click", [this] { organizer_.Pick(); });
    });
    On("CtrlOK", [this] { CtrlOK_Click(); });
    On("CtrlCancel", [this] { Hide(); });
}

void FormFolders::Show() { Globals::System().Forms().ShowModal(SelfAs<FormFolders>()); }

void FormFolders::Form_Load() {
    Handle("FormFolders.Form_Load", [this] {
        Tools::LocalizeForm(*this);
        const auto options = Globals::Options();
        for (std::size_t i = 0; i < kFolders.size(); ++i) {
            // The folder the synchronization would use: the stored one, or the default when it is gone.
            const auto folder = SyncFolders::Folder(((*options).*kFolders[i].get)(), kFolders[i].defaultFolder);
            Ctrl(Indexed("CtrlFolderName", i)).value = Variant(Must(folder).FolderPath());
            entryIds_[i] = folder->EntryID();
        }
        organizer_.Load(options->MeetingOrganizer());
    });
}

void FormFolders::CtrlPickFolder_Click(std::size_t index) {
    Handle("FormFoldes.CtrlPickFolder_Click", [this, index] {
        const auto folder = Globals::Outlook()->Session()->PickFolder();
        if (!folder) return;
        Ctrl(Indexed("CtrlFolderName", index)).value = Variant(folder->FolderPath());
        entryIds_[index] = folder->EntryID();
    });
}

void FormFolders::CtrlOK_Click() {
    Handle("FormFolders.CtrlOK_Click", [this] {
        const auto options = Globals::Options();
        for (std::size_t i = 0; i < kFolders.size(); ++i) {
            if (!entryIds_[i].empty()) ((*options).*kFolders[i].set)(entryIds_[i]);
        }
        // A typed organizer that does not resolve keeps the dialog open for the user to correct.
        const auto organizer = organizer_.Chosen();
        if (!organizer) return;
        options->SetMeetingOrganizer(*organizer);
        Hide();
    });
}

}  // namespace ostrellix::addin

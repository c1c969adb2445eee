#include "ui/UserOptions.h"

#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "ui/FormFolders.h"
#include "ui/FormOutgoingMail.h"
#include "ui/FormPanes.h"
#include "ui/FormSynchOptions.h"

namespace ostrellix::addin {

namespace {

using Kind = FormControl::Kind;

constexpr const char* kPageIcon = "OUTLOOK";
constexpr std::int32_t kPageIconSize = 32;

// The captions are the controls' names: the texts are keyed by page and control name.
std::vector<FormControl> PageControls() {
    std::vector<FormControl> controls{
        {.name = "CtrlFrame(0)", .kind = Kind::Frame, .caption = "CtrlFrame(0)"},
        {.name = "CtrlFrame(1)", .kind = Kind::Frame, .caption = "CtrlFrame(1)"},
        {.name = "CtrlIcon", .kind = Kind::Other},
    };
    for (const char* box : {"CtrlAllowDragDrop", "CtrlAllowExport"}) {
        controls.push_back(
            {.name = box, .kind = Kind::CheckBox, .caption = box, .value = Variant(std::int16_t{0}), .container = "CtrlFrame(0)"});
    }
    for (const char* button : {"CtrlOutgoingMail", "CtrlFolders", "CtrlSynchronization"}) {
        controls.push_back({.name = button, .kind = Kind::CommandButton, .caption = button, .container = "CtrlFrame(0)"});
    }
    controls.push_back(
        {.name = "CtrlPanes", .kind = Kind::CommandButton, .caption = "CtrlPanes", .container = "CtrlFrame(1)"});
    return controls;
}

// A button's dialog, shown under the button's error trap.
template <class Dialog>
void Open(const char* location) {
    Trap([] { std::make_shared<Dialog>()->Show(); },
         [location](const ComError& error) { Tools::ReportError(error, location); });
}

}  // namespace

UserOptions::UserOptions() : Form("UserOptions", "", PageControls()) {
    On("CtrlOutgoingMail", [] { Open<FormOutgoingMail>("UserOptions.CtrlOutgoingMail_Click"); });
    On("CtrlFolders", [] { Open<FormFolders>("UserOptions.CtrlFolders_Click"); });
    On("CtrlSynchronization", [] { Open<FormSynchOptions>("UserOptions.CtrlSynchronization_Click"); });
    On("CtrlPanes", [] { Open<FormPanes>("UserOptions.CtrlPanes_Click"); });
    // The client shows the page as soon as it has made it.
    Load();
}

void UserOptions::Form_Load() {
    Tools::LocalizeForm(*this);
    const auto application = Globals::Application();
    const auto options = Globals::Options();
    Ctrl("CtrlAllowExport").caption = application->Text("AllowExport");
    Ctrl("CtrlAllowDragDrop").value = Variant(static_cast<std::int16_t>(options->AllowDragDrop() ? 1 : 0));
    Ctrl("CtrlAllowExport").value = Variant(static_cast<std::int16_t>(options->AllowExport() ? 1 : 0));
    const bool office32 = application->Value("OfficeIs32Bit").ToBoolean();
    Ctrl("CtrlFrame(1)").visible = office32;
    Ctrl("CtrlPanes").enabled = office32;
    icon_ = application->Images()->Item(kPageIcon, kPageIconSize);
}

std::string UserOptions::Description() { return Tools::GetText("HelpText." + Name()); }

void UserOptions::Apply() {
    const auto options = Globals::Options();
    options->SetAllowDragDrop(Ctrl("CtrlAllowDragDrop").value.ToLong() != 0);
    options->SetAllowExport(Ctrl("CtrlAllowExport").value.ToLong() != 0);
}

}  // namespace ostrellix::addin

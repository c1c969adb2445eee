#include "ui/FormOutgoingMail.h"

#include <string>

#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

using Kind = FormControl::Kind;

constexpr std::int32_t kModes = 3;

// An option-button array; its buttons share a container so that they form one group.
std::string Button(const char* array, std::int32_t index) {
    return std::string(array) + "(" + std::to_string(index) + ")";
}

std::vector<FormControl> MailControls() {
    std::vector<FormControl> controls;
    for (const char* array : {"CtrlSaveKeloOption", "CtrlSaveOutlookOption"}) {
        const std::string group = std::string(array) + "s";
        controls.push_back({.name = group, .kind = Kind::Other});
        for (std::int32_t i = 0; i < kModes; ++i) {
            const std::string name = Button(array, i);
            controls.push_back({.name = name,
                                .kind = Kind::OptionButton,
                                .caption = name.substr(4),
                                .value = Variant(false),
                                .container = group});
        }
    }
    for (const char* box : {"CtrlAttachBusinessCard", "CtrlAllowEditMessages", "CtrlUseSendOnBehalfOf"}) {
        controls.push_back(
            {.name = box, .kind = Kind::CheckBox, .caption = std::string(box).substr(4), .value = Variant(std::int16_t{0})});
    }
    controls.push_back({.name = "CtrlSendOnBehalfOf", .kind = Kind::TextBox, .value = Variant("")});
    controls.push_back({.name = "CtrlPickSender", .kind = Kind::CommandButton, .caption = "PickSender"});
    controls.push_back({.name = "CtrlOK", .kind = Kind::CommandButton, .caption = "OK"});
    controls.push_back({.name = "CtrlCancel", .kind = Kind::CommandButton, .caption = "Cancel"});
    return controls;
}

std::int16_t Selected(Form& form, const char* array) {
    for (std::int32_t i = 0; i < kModes; ++i) {
        if (form.Ctrl(Button(array, i)).value.ToBoolean()) return static_cast<std::int16_t>(i);
    }
    return 0;
}

void Select(Form& form, const char* array, std::int32_t mode) {
    for (std::int32_t i = 0; i < kModes; ++i) form.Ctrl(Button(array, i)).value = Variant(i == mode);
}

Variant Box(bool ticked) { return Variant(static_cast<std::int16_t>(ticked ? 1 : 0)); }

}  // namespace

FormOutgoingMail::FormOutgoingMail()
    : Form("FormOutgoingMail", "Caption", MailControls()),
      sender_(*this, "CtrlUseSendOnBehalfOf", "CtrlSendOnBehalfOf", "CtrlPickSender") {
    On("CtrlUseSendOnBehalfOf", [this] { sender_.EnableByBox(); });
    On("CtrlSendOnBehalfOf", [this] { sender_.Typed(); });
    On("CtrlPickSender", [this] { CtrlPickSender_Click(); });
    On("CtrlOK", [this] { CtrlOK_Click(); });
    On("CtrlCancel", [this] { Hide(); });
}

void FormOutgoingMail::Show() { Globals::System().Forms().ShowModal(SelfAs<FormOutgoingMail>()); }

void FormOutgoingMail::Form_Load() {
    Handle("FormOutgoingMail.Form_Load", [this] {
        Tools::LocalizeForm(*this);
        const auto options = Globals::Options();
        Select(*this, "CtrlSaveKeloOption", options->SaveOutgoingMailMode());
        Select(*this, "CtrlSaveOutlookOption", options->SaveOutgoingMailFromOutlookMode());
        Ctrl("CtrlAttachBusinessCard").value = Box(options->AttachBusinessCard());
        Ctrl("CtrlAllowEditMessages").value = Box(options->AllowEditMessages());
        sender_.Load(options->SendOnBehalfOf());
    });
}

void FormOutgoingMail::CtrlPickSender_Click() {
    Handle("FormOutgoingMail.CtrlPickSender_Click", [this] { sender_.Pick(); });
}

void FormOutgoingMail::CtrlOK_Click() {
    Handle("FormOutgoingMail.CtrlOK_Click", [this] {
        const auto options = Globals::Options();
        options->SetSaveOutgoingMailMode(Selected(*this, "CtrlSaveKeloOption"));
        options->SetSaveOutgoingMailFromOutlookMode(Selected(*this, "CtrlSaveOutlookOption"));
        options->SetAttachBusinessCard(Ctrl("CtrlAttachBusinessCard").value.ToLong() != 0);
        options->SetAllowEditMessages(Ctrl("CtrlAllowEditMessages").value.ToLong() != 0);
        // A typed name that does not resolve keeps the dialog open for the user to correct.
        const auto sender = sender_.Chosen();
        if (!sender) return;
        options->SetSendOnBehalfOf(*sender);
        Hide();
    });
}

}  // namespace ostrellix::addin

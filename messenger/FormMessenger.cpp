#include "messenger/FormMessenger.h"

#include "core/Globals.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

using Kind = FormControl::Kind;

}  // namespace

FormMessenger::FormMessenger()
    : Form("FormMessenger", "Caption",
           {{.name = "CtrlMessenger", .kind = Kind::Other},
            {.name = "CtrlOK", .kind = Kind::CommandButton, .caption = "OK"},
            {.name = "CtrlCancel", .kind = Kind::CommandButton, .caption = "Cancel"}}) {
    On("CtrlOK", [this] { CtrlOK_Click(); });
    On("CtrlCancel", [this] { Hide(); });
}

bool FormMessenger::Show(const Ptr<kelo::IMessenger>& messenger) {
    messenger_ = messenger;
    result_ = false;
    const auto self = SelfAs<FormMessenger>();
    PassOn([&] { Globals::System().Forms().ShowModal(self); },
           [&] { IgnoreErrors([&] { panel_->IMessengerOptionsControl_Deactivate(); }); });
    // Unloading the dialog takes the panel down with it.
    panel_->IMessengerOptionsControl_Deactivate();
    panel_->Hide();
    return result_;
}

// The misspelt locations are the ones the support staff know from the log.
void FormMessenger::Form_Load() {
    Handle("FromMessenger.Form_Load", [this] {
        Tools::LocalizeForm(*this);
        panel_->Load();
        panel_->IMessengerOptionsControl_SetMessenger(messenger_);
        panel_->IMessengerOptionsControl_Activate();
    });
}

void FormMessenger::CtrlOK_Click() {
    Handle("FromMessenger.CtrlOK_Click", [this] {
        if (!panel_->IMessengerOptionsControl_Save(true)) return;
        result_ = true;
        Hide();
    });
}

}  // namespace ostrellix::addin

#pragma once

#include "contracts/kelo/IMessenger.h"
#include "core/Form.h"
#include "messenger/MessengerControl.h"

namespace ostrellix::addin {

// The compose dialog the messenger opens itself: the options panel
// (CtrlMessenger) with OK, which saves and validates the panel's settings
// into the messenger, and Cancel. The result is true once OK succeeded.
class FormMessenger : public Form {
public:
    FormMessenger();

    // Shows the dialog modally for the messenger; true when the user confirmed.
    bool Show(const Ptr<kelo::IMessenger>& messenger);
    bool Result() const { return result_; }
    // The embedded panel, for the person in front of the dialog.
    const Ptr<MessengerControl>& CtrlMessenger() const { return panel_; }

protected:
    void Form_Load() override;

private:
    void CtrlOK_Click();

    Ptr<kelo::IMessenger> messenger_;
    Ptr<MessengerControl> panel_ = std::make_shared<MessengerControl>();
    bool result_ = false;
};

}  // namespace ostrellix::addin

#pragma once

#include "core/Form.h"
#include "ui/PersonChoice.h"

namespace ostrellix::addin {

// The outgoing-mail dialog: when mail sent from Kelo and mail written in
// Outlook is saved in Kelo (two arrays of three option buttons, the index
// is the mode), the business card and editing switches, and the person
// mail is sent on behalf of.
class FormOutgoingMail : public Form {
public:
    FormOutgoingMail();
    void Show();

protected:
    void Form_Load() override;

private:
    void CtrlOK_Click();
    void CtrlPickSender_Click();

    PersonChoice sender_;
};

}  // namespace ostrellix::addin

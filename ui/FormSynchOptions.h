#pragma once

#include "core/Form.h"

namespace ostrellix::addin {

// The synchronization dialog: whether the active Kelo user's items are
// synchronized (the user's coworker record becomes the synchronization
// user), when, which kinds, what may be deleted in Outlook, and the
// database and server the synchronized items were first made from.
class FormSynchOptions : public Form {
public:
    FormSynchOptions();
    void Show();

protected:
    void Form_Load() override;

private:
    void CtrlOK_Click();
    // Everything but OK and Cancel is offered only while synchronization is switched on.
    void EnableBySynchEnabled();
    // The coworker record id of the active user; 0 when there is none.
    static std::int32_t ActiveUserRecordID();
};

}  // namespace ostrellix::addin

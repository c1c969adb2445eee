#pragma once

#include <array>
#include <string>

#include "core/Form.h"
#include "ui/PersonChoice.h"

namespace ostrellix::addin {

// The folders dialog: the Inbox, Calendar, Tasks and Contacts folders the
// add-in synchronizes with (shown by path, the EntryID kept beside; a
// stored folder that is gone shows Outlook's default folder of its kind),
// and the person meetings are booked on behalf of.
class FormFolders : public Form {
public:
    FormFolders();
    void Show();

protected:
    void Form_Load() override;

private:
    void CtrlPickFolder_Click(std::size_t index);
    void CtrlOK_Click();

    std::array<std::string, 4> entryIds_;
    PersonChoice organizer_;
};

}  // namespace ostrellix::addin

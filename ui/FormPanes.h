#pragma once

#include <string>

#include "contracts/outlook/IFolder.h"
#include "core/Form.h"
#include "runtime/Dictionary.h"

namespace ostrellix::addin {

// The Panes dialog: the Outlook folders shown as side panes of the client,
// in order (option Panes). CtrlList shows each folder's path, the
// dictionary maps it to the folder's EntryID. The four check boxes add or
// take away the synchronized Inbox, Calendar, Tasks and Contacts folders.
// OK stores the list and rebuilds the panes at once while the client shows
// its pane bar; otherwise a new list shows after a restart, and an empty
// one takes the panes away at once.
class FormPanes : public Form {
public:
    FormPanes();

    // Shows the dialog modally and returns once it is closed.
    void Show();

protected:
    void Form_Load() override;

private:
    void CtrlAdd_Click();
    void CtrlDelete_Click();
    void CtrlMoveUp_Click();
    void CtrlMoveDown_Click();
    void CtrlOK_Click();
    void CtrlCancel_Click();
    void CtrlShowPane_Click(const std::string& checkBox);

    // Appends a folder not listed yet; an EntryID that no longer resolves is passed over.
    void AddFolder(const std::string& entryId);
    // Lists a default folder, or takes it off the list when it is there.
    void AddRemoveFolder(const std::string& entryId);
    void RemoveAt(std::int32_t index);
    void Swap(std::int32_t index, std::int32_t other);
    // Each check box shows whether its default folder is listed.
    void RefreshCheckBoxes();
    void EnableButtons();
    // The synchronized default folder a check box stands for.
    static std::string DefaultFolderEntryID(const std::string& checkBox);

    Dictionary folders_;
    bool dirty_ = false;
};

}  // namespace ostrellix::addin

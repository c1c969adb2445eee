#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"

namespace ostrellix::host {

// `ostrellix kelo options-dialog`: the client's options dialog with the
// add-in's page. The page's two switches are set (--allow-export,
// --allow-drag-drop); --open opens one of its dialogs (outgoing-mail,
// folders, synchronization, panes), where the user does the --act steps in
// order (CONTROL clicks it, CONTROL=TEXT types into it, CONTROL#N chooses
// entry N of a list), Outlook's pickers answering --pick-folder and
// --pick-name in turn, and then clicks OK (Cancel with --cancel-dialog).
// The options dialog is then applied (cancelled with --cancel). Prints the
// dialog's controls as it closed and the options as stored.
class OptionsDialogAction {
public:
    explicit OptionsDialogAction(ActionGroup& group);
    OptionsDialogAction(const OptionsDialogAction&) = delete;
    OptionsDialogAction& operator=(const OptionsDialogAction&) = delete;

private:
    int Run(Host& host, ActionOutput& output);

    std::optional<std::string> allowExport_, allowDragDrop_, open_;
    std::vector<std::string> acts_, pickFolders_, pickNames_;
    bool cancelDialog_ = false, cancel_ = false;
};

}  // namespace ostrellix::host

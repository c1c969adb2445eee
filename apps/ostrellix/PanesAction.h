#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"

namespace ostrellix::host {

// `ostrellix kelo panes|panes-dialog`: the side panes the add-in gives the
// Kelo client, one per Outlook folder of the pane list.
//   panes          the panes the client shows after start-up (the add-in's
//                  with their folder, view and calendar arrangement);
//                  --pane NAME with --other-user, --view, --arrangement and
//                  --new-item is what the user then does in that pane (in
//                  that order); --remove takes the add-in's panes away
//   panes-dialog   the Panes dialog, worked as the options say and then
//                  OK'd (or cancelled): folders added with Outlook's folder
//                  picker, the four show-pane boxes set, entries deleted
//                  and moved, in that order; then the list it stored and
//                  the panes the client shows
class PanesAction {
public:
    explicit PanesAction(ActionGroup& group);
    PanesAction(const PanesAction&) = delete;
    PanesAction& operator=(const PanesAction&) = delete;

private:
    int Panes(Host& host, ActionOutput& output);
    int Dialog(Host& host, ActionOutput& output);
    // The client's panes, one result each.
    static void ShowPanes(Host& host, ActionOutput& output);

    // panes
    bool remove_ = false;
    std::optional<std::string> pane_, view_, arrangement_, otherUser_;
    bool newItem_ = false;
    // panes-dialog
    std::vector<std::string> add_, delete_, up_, down_;
    std::optional<std::string> showInbox_, showCalendar_, showTasks_, showContacts_;
    std::string paneBar_ = "shown";
    bool cancel_ = false;
};

}  // namespace ostrellix::host

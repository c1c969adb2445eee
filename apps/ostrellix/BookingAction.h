#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"
#include "contracts/outlook/IInspector.h"

namespace ostrellix::host {

// `ostrellix kelo new-appointment|new-task|new-meeting --context CLASS:ID`:
// an Outlook item booked by the add-in from the record window, and what
// the user then does with it in Outlook.
//
// new-appointment and new-task show the new item (--subject: the client
// hands it to the appointment; otherwise, and for tasks, the user types
// it); with --calendar the add-in opens a calendar window instead and the
// user starts a new appointment there. --save-close saves and closes the
// item's window, --discard closes it unsaved. They print the to-do record
// filed (or why none was) and the stored item's Kelo marks.
//
// new-meeting answers the organizer question (--organizer yes|no|cancel,
// asked when the MeetingOrganizer option names someone), then sends
// (--send), saves and closes (--save) or closes unsaved (--discard) the
// meeting shown. It prints the attendees, whether the meeting stayed in
// its calendar, and the Inbox of this Outlook each request reached.
class BookingAction {
public:
    explicit BookingAction(ActionGroup& group);
    BookingAction(const BookingAction&) = delete;
    BookingAction& operator=(const BookingAction&) = delete;

private:
    int Book(Host& host, ActionOutput& output, bool task);
    int Meeting(Host& host, ActionOutput& output);
    // The user's last step on the window the add-in left open.
    void Finish(Host& host, const Ptr<outlook::IInspector>& window, bool typeSubject);

    std::string context_;
    std::optional<std::string> subject_;
    std::string organizer_;
    bool calendar_ = false, saveClose_ = false, discard_ = false, send_ = false;
};

}  // namespace ostrellix::host

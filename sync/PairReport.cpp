#include "sync/PairReport.h"

namespace ostrellix::addin {

std::string_view PairReport::Name(Kind kind) {
    switch (kind) {
        case Kind::Appointment: return "appointment";
        case Kind::Task: return "task";
        case Kind::Contact: return "contact";
    }
    return {};
}

std::string_view PairReport::Name(Action action) {
    switch (action) {
        case Action::Unchanged: return "unchanged";
        case Action::CopiedToOutlook: return "copied to Outlook";
        case Action::CopiedToKelo: return "copied to Kelo";
        case Action::Unmarked: return "unmarked";
        case Action::Deleted: return "deleted";
        case Action::Skipped: return "skipped";
    }
    return {};
}

std::string_view PairReport::Name(Reason reason) {
    switch (reason) {
        case Reason::None: return "";
        case Reason::DuplicateKeloID: return "duplicate KeloID";
        case Reason::AnotherUsersItem: return "another user's item";
        case Reason::InvalidRecord: return "invalid record";
        case Reason::RecordNotFound: return "record not found";
    }
    return {};
}

}  // namespace ostrellix::addin

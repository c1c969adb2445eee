#include "sync/CalendarListener.h"

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IAppointmentItem.h"

namespace ostrellix::addin {

namespace {

bool Accepts(const ObjectPtr& item) {
    const auto appointment = As<outlook::IAppointmentItem>(item);
    return appointment && appointment->MeetingStatus() == outlook::olNonMeeting;
}

constexpr InspectorListener::Kind kKind = {
    .className = "CalendarListener",
    .log = DebugLog("CalendarListener - "),
    .newInspectorLocation = "CalendarListener.m_OutlookInspectors_NewInspector",
    .accepts = Accepts,
    .saveTag = "SaveAppointmentItem",
    .openTag = "OpenAppointmentItem",
    .notFoundKey = "ItemNotFoundInKelo",
};

}  // namespace

CalendarListener::CalendarListener() : InspectorListener(kKind) {}

}  // namespace ostrellix::addin

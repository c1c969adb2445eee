#include "sync/BirthdayListener.h"

#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IFolder.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("BithdayListener - ");

bool IsBirthday(std::string_view subject) {
    const std::string lower = text::LCase(subject);
    return text::InStr(lower, "birthday") > 0 || text::InStr(lower, "födelsedag") > 0;
}

}  // namespace

void BirthdayListener::Initialize() {
    Log("Initialize");
    m_OutlookItems = Must(Globals::Synchronizer()->CalendarFolder()).Items();
    itemAdd_ = m_OutlookItems->Events().ItemAdd.Connect([this](const Ptr<outlook::IItem>& item) { OnItemAdd(item); });
}

void BirthdayListener::OnItemAdd(const Ptr<outlook::IItem>& item) {
    const auto self = SelfAs<BirthdayListener>();
    // Nobody asked for this: a failure is logged, never shown.
    Trap(
        [&] {
            const auto appointment = As<outlook::IAppointmentItem>(item);
            if (!appointment || !IsBirthday(appointment->Subject())) return;
            Log("Reminder off: " + appointment->Subject());
            appointment->SetReminderSet(false);
            appointment->Save();
        },
        [](const ComError& error) { Tools::LogError(error, "BirthdayListener.m_OutlookItems_ItemAdd"); });
}

}  // namespace ostrellix::addin

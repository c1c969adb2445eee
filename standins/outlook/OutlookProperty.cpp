#include "standins/outlook/OutlookProperty.h"

#include <unordered_map>
#include <vector>

#include "contracts/outlook/Constants.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "runtime/TextHash.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiNames.h"

namespace ostrellix::standin::outlook {

namespace {

namespace pt = msg::pt;
namespace k = kinds;

PropertyLocation T(std::uint32_t tag) { return PropertyLocation::Tagged(tag); }
PropertyLocation L(const Guid& set, std::uint32_t id, std::uint16_t type) {
    return PropertyLocation::Named(mapi::Lid(set, id), type);
}

std::vector<OutlookProperty> MakeTable() {
    using namespace msg::tag;
    using namespace mapi::tag;
    const Guid appt = msg::psets::Appointment();
    const Guid task = msg::psets::Task();
    const Guid addr = msg::psets::Address();
    const bool F = true, RO = true, RW = false;
    return {
        {"Subject", T(PR_SUBJECT), k::All, F, RW},
        {"Body", T(PR_BODY), k::All, !F, RW},
        {"MessageClass", T(PR_MESSAGE_CLASS), k::All, F, RW},
        {"Categories",
         PropertyLocation::Named(mapi::UserPropertyName(mapi::kKeywords), pt::MultiValued | pt::Unicode), k::All, F,
         RW},
        {"CreationTime", T(PR_CREATION_TIME), k::All, F, RO},
        {"LastModificationTime", T(PR_LAST_MODIFICATION_TIME), k::All, F, RO},
        {"Importance", T(PR_IMPORTANCE), k::All, F, RW},
        {"SenderName", T(PR_SENDER_NAME), k::Mail | k::Meeting, F, RO},
        {"SenderEmailAddress", T(PR_SENDER_EMAIL_ADDRESS), k::Mail | k::Meeting, F, RO},
        {"SentOnBehalfOfName", T(PR_SENT_REPRESENTING_NAME), k::Mail, F, RW},
        {"SentOn", T(PR_CLIENT_SUBMIT_TIME), k::Mail | k::Meeting, F, RO},
        {"ReceivedTime", T(PR_MESSAGE_DELIVERY_TIME), k::Mail | k::Meeting, F, RO},
        {"ReceivedByName", T(PR_RECEIVED_BY_NAME), k::Mail | k::Meeting, F, RO},
        {"To", T(PR_DISPLAY_TO), k::Mail | k::Meeting, F, RO},
        {"CC", T(PR_DISPLAY_CC), k::Mail | k::Meeting, F, RO},
        {"BCC", T(PR_DISPLAY_BCC), k::Mail, F, RO},
        {"HTMLBody", T(PR_BODY_HTML), k::Mail, !F, RW},
        {"DeleteAfterSubmit", T(PR_DELETE_AFTER_SUBMIT), k::Mail, F, RW},
        {"Start", L(appt, mapi::lid::AppointmentStartWhole, pt::SysTime), k::Appointment, F, RW},
        {"End", L(appt, mapi::lid::AppointmentEndWhole, pt::SysTime), k::Appointment, F, RW},
        {"Duration", L(appt, mapi::lid::AppointmentDuration, pt::Long), k::Appointment, F, RO},
        {"Location", L(appt, mapi::lid::AppointmentLocation, pt::Unicode), k::Appointment, F, RW},
        {"AllDayEvent", L(appt, mapi::lid::AppointmentSubType, pt::Boolean), k::Appointment, F, RW},
        {"MeetingStatus", L(appt, mapi::lid::AppointmentStateFlags, pt::Long), k::Appointment, F, RW},
        {"Organizer", T(PR_SENT_REPRESENTING_NAME), k::Appointment, F, RO},
        {"ReminderSet", L(msg::psets::Common(), mapi::lid::ReminderSet, pt::Boolean), k::Appointment | k::Task, F,
         RW},
        {"StartDate", L(task, mapi::lid::TaskStartDate, pt::SysTime), k::Task, F, RW},
        {"DueDate", L(task, mapi::lid::TaskDueDate, pt::SysTime), k::Task, F, RW},
        {"Complete", L(task, mapi::lid::TaskComplete, pt::Boolean), k::Task, F, RW},
        {"Status", L(task, mapi::lid::TaskStatus, pt::Long), k::Task, F, RO},
        {"PercentComplete", L(task, mapi::lid::PercentComplete, pt::Double), k::Task, F, RO},
        {"Owner", L(task, mapi::lid::TaskOwner, pt::Unicode), k::Task, F, RO},
        {"FullName", T(PR_DISPLAY_NAME), k::Contact, F, RW},
        {"FirstName", T(PR_GIVEN_NAME), k::Contact, F, RW},
        {"LastName", T(PR_SURNAME), k::Contact, F, RW},
        {"NickName", T(PR_NICKNAME), k::Contact, F, RW},
        {"JobTitle", T(PR_TITLE), k::Contact, F, RW},
        {"CompanyName", T(PR_COMPANY_NAME), k::Contact, F, RW},
        {"Email1Address", L(addr, mapi::lid::Email1Address, pt::Unicode), k::Contact, F, RW},
        {"Email2Address", L(addr, mapi::lid::Email2Address, pt::Unicode), k::Contact, F, RW},
        {"HomeTelephoneNumber", T(PR_HOME_TELEPHONE_NUMBER), k::Contact, F, RW},
        {"BusinessTelephoneNumber", T(PR_BUSINESS_TELEPHONE_NUMBER), k::Contact, F, RW},
        {"MobileTelephoneNumber", T(PR_MOBILE_TELEPHONE_NUMBER), k::Contact, F, RW},
        {"HomeFaxNumber", T(PR_HOME_FAX_NUMBER), k::Contact, F, RW},
        {"BusinessFaxNumber", T(PR_BUSINESS_FAX_NUMBER), k::Contact, F, RW},
        {"HomeAddress", L(addr, mapi::lid::HomeAddress, pt::Unicode), k::Contact, F, RW},
        {"BusinessAddress", L(addr, mapi::lid::WorkAddress, pt::Unicode), k::Contact, F, RW},
        {"PersonalHomePage", T(PR_PERSONAL_HOME_PAGE), k::Contact, F, RW},
        {"BusinessHomePage", T(PR_BUSINESS_HOME_PAGE), k::Contact, F, RW},
        {"Birthday", T(PR_BIRTHDAY), k::Contact, F, RW},
    };
}

}  // namespace

std::span<const OutlookProperty> OutlookProperty::All() {
    static const std::vector<OutlookProperty> table = MakeTable();
    return table;
}

const OutlookProperty* OutlookProperty::Find(std::string_view name) {
    using Map = std::unordered_map<std::string, const OutlookProperty*, TextHash, std::equal_to<>>;
    static const auto [bySpelling, byName] = [] {
        std::pair<Map, Map> maps;
        for (const OutlookProperty& property : All()) {
            maps.first.emplace(property.name, &property);
            maps.second.emplace(text::LCase(property.name), &property);
        }
        return maps;
    }();
    // The object model asks by the name as spelled here, many times per item; a filter in any case.
    if (const auto found = bySpelling.find(name); found != bySpelling.end()) return found->second;
    const auto found = byName.find(text::LCase(name));
    return found == byName.end() ? nullptr : found->second;
}

const OutlookProperty& OutlookProperty::Get(std::string_view name) {
    if (const OutlookProperty* property = Find(name)) return *property;
    throw ComError(::ostrellix::errors::Unexpected, "Outlook", "No Outlook property is named " + std::string(name));
}

Variant OutlookProperty::ValueIn(const msg::PropertyBag& bag) const {
    Variant value = location.Read(bag);
    if (!value.IsEmpty()) return value;
    switch (location.Type()) {
        case pt::SysTime: return Variant(ol::kNoDate);
        case pt::Boolean: return Variant(false);
        case pt::Short:
        case pt::Long: return Variant(0);
        case pt::Double: return Variant(0.0);
        default: return Variant(std::string());
    }
}

}  // namespace ostrellix::standin::outlook

#pragma once

#include <cstdint>
#include <string>

#include "runtime/Guid.h"
#include "standins/message/PropertyBag.h"
#include "standins/message/PropertySets.h"
#include "standins/outlook/Names.h"

// MAPI names Outlook stores its items' properties under, as published for
// the message file and store formats: the named properties in the property
// sets of appointments, tasks, contacts and common properties (the sets
// are the message model's, msg::psets), and the tagged properties beyond
// those of the message model.
namespace ostrellix::standin::outlook::mapi {

// A named property by numeric id, and a user property (a string name in PS_PUBLIC_STRINGS).
msg::PropertyName Lid(const Guid& propertySet, std::uint32_t id);
msg::PropertyName UserPropertyName(const std::string& name);
// The name Outlook keeps an item's categories under (in PS_PUBLIC_STRINGS).
inline constexpr const char* kKeywords = "Keywords";

namespace lid {
inline constexpr std::uint32_t AppointmentLocation = 0x8208;
inline constexpr std::uint32_t AppointmentStartWhole = 0x820D;
inline constexpr std::uint32_t AppointmentEndWhole = 0x820E;
inline constexpr std::uint32_t AppointmentDuration = 0x8213;
inline constexpr std::uint32_t AppointmentSubType = 0x8215;  // all-day event
inline constexpr std::uint32_t AppointmentStateFlags = 0x8217;
inline constexpr std::uint32_t TaskStatus = 0x8101;
inline constexpr std::uint32_t PercentComplete = 0x8102;
inline constexpr std::uint32_t TaskStartDate = 0x8104;
inline constexpr std::uint32_t TaskDueDate = 0x8105;
inline constexpr std::uint32_t TaskComplete = 0x811C;
inline constexpr std::uint32_t TaskOwner = 0x811F;
inline constexpr std::uint32_t ReminderSet = 0x8503;
inline constexpr std::uint32_t HasPicture = 0x8015;
inline constexpr std::uint32_t HomeAddress = 0x801A;
inline constexpr std::uint32_t WorkAddress = 0x801B;
inline constexpr std::uint32_t Email1DisplayName = 0x8080;
inline constexpr std::uint32_t Email1AddressType = 0x8082;
inline constexpr std::uint32_t Email1Address = 0x8083;
inline constexpr std::uint32_t Email2DisplayName = 0x8090;
inline constexpr std::uint32_t Email2AddressType = 0x8092;
inline constexpr std::uint32_t Email2Address = 0x8093;
}  // namespace lid

namespace tag {
inline constexpr std::uint32_t PR_IMPORTANCE = 0x00170003;
inline constexpr std::uint32_t PR_RECEIVED_BY_EMAIL_ADDRESS = 0x0076001F;
inline constexpr std::uint32_t PR_SENDER_ENTRYID = 0x0C190102;
inline constexpr std::uint32_t PR_SENT_REPRESENTING_ENTRYID = 0x00410102;
inline constexpr std::uint32_t PR_DELETE_AFTER_SUBMIT = 0x0E01000B;
inline constexpr std::uint32_t PR_ENTRYID = 0x0FFF0102;
inline constexpr std::uint32_t PR_NATIVE_BODY_INFO = 0x10160003;
inline constexpr std::uint32_t PR_BUSINESS_TELEPHONE_NUMBER = 0x3A08001F;
inline constexpr std::uint32_t PR_HOME_TELEPHONE_NUMBER = 0x3A09001F;
inline constexpr std::uint32_t PR_GIVEN_NAME = 0x3A06001F;
inline constexpr std::uint32_t PR_SURNAME = 0x3A11001F;
inline constexpr std::uint32_t PR_COMPANY_NAME = 0x3A16001F;
inline constexpr std::uint32_t PR_TITLE = 0x3A17001F;
inline constexpr std::uint32_t PR_MOBILE_TELEPHONE_NUMBER = 0x3A1C001F;
inline constexpr std::uint32_t PR_BUSINESS_FAX_NUMBER = 0x3A24001F;
inline constexpr std::uint32_t PR_HOME_FAX_NUMBER = 0x3A25001F;
inline constexpr std::uint32_t PR_BIRTHDAY = 0x3A420040;
inline constexpr std::uint32_t PR_NICKNAME = 0x3A4F001F;
inline constexpr std::uint32_t PR_PERSONAL_HOME_PAGE = 0x3A50001F;
inline constexpr std::uint32_t PR_BUSINESS_HOME_PAGE = 0x3A51001F;
inline constexpr std::uint32_t PR_ATTACH_HIDDEN = 0x7FFE000B;
inline constexpr std::uint32_t PR_ATTACHMENT_CONTACTPHOTO = 0x7FFF000B;
}  // namespace tag

// PR_NATIVE_BODY_INFO values.
inline constexpr std::int32_t NativeBodyPlain = 1;
inline constexpr std::int32_t NativeBodyRtf = 2;
inline constexpr std::int32_t NativeBodyHtml = 3;

}  // namespace ostrellix::standin::outlook::mapi

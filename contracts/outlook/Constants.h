#pragma once

#include <cstdint>

#include "runtime/Date.h"

// Outlook's codes that the add-in relies on by value.
namespace ostrellix::outlook {

// Item types (CreateItem, Items.Add, DefaultItemType).
inline constexpr std::int32_t olMailItem = 0;
inline constexpr std::int32_t olAppointmentItem = 1;
inline constexpr std::int32_t olContactItem = 2;
inline constexpr std::int32_t olTaskItem = 3;

// Default folders.
inline constexpr std::int32_t olFolderOutbox = 4;
inline constexpr std::int32_t olFolderSentMail = 5;
inline constexpr std::int32_t olFolderInbox = 6;
inline constexpr std::int32_t olFolderCalendar = 9;
inline constexpr std::int32_t olFolderContacts = 10;
inline constexpr std::int32_t olFolderTasks = 13;
inline constexpr std::int32_t olFolderDrafts = 16;

// Recipient types.
inline constexpr std::int32_t olTo = 1;
inline constexpr std::int32_t olCC = 2;
inline constexpr std::int32_t olBCC = 3;

// Attachment types.
inline constexpr std::int32_t olByValue = 1;
inline constexpr std::int32_t olEmbeddeditem = 5;

// User property types.
inline constexpr std::int32_t olText = 1;

// SaveAs formats.
inline constexpr std::int32_t olMSG = 3;

// Body formats.
inline constexpr std::int32_t olFormatPlain = 1;
inline constexpr std::int32_t olFormatHTML = 2;
inline constexpr std::int32_t olFormatRichText = 3;

// Meeting status of an appointment: 0 a plain appointment.
inline constexpr std::int32_t olNonMeeting = 0;
inline constexpr std::int32_t olMeeting = 1;

// Outlook's "no date": 4501-01-01.
inline constexpr Date kNoDate{949998.0};

// Prefix of property schema names by tag (PropertyAccessor).
inline constexpr const char* kPropTagNamespace = "http://schemas.microsoft.com/mapi/proptag/0x";

// Class id under which a running Outlook registers itself.
inline constexpr const char* kOutlookClassId = "{0006F03A-0000-0000-C000-000000000046}";

}  // namespace ostrellix::outlook

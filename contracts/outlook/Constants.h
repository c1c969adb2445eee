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
inline constexpr std::int32_t olFolderDeletedItems = 3;
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
inline constexpr std::int32_t olNumber = 3;
inline constexpr std::int32_t olDateTime = 5;
inline constexpr std::int32_t olYesNo = 6;
inline constexpr std::int32_t olInteger = 20;

// Close and save modes of items and inspectors.
inline constexpr std::int32_t olSave = 0;
inline constexpr std::int32_t olDiscard = 1;
inline constexpr std::int32_t olPromptForSave = 2;

// View types (View.ViewType) and calendar arrangements (View.CalendarViewMode).
inline constexpr std::int32_t olTableView = 0;
inline constexpr std::int32_t olCardView = 1;
inline constexpr std::int32_t olCalendarView = 2;
inline constexpr std::int32_t olBusinessCardView = 5;
inline constexpr std::int32_t olCalendarViewDay = 0;
inline constexpr std::int32_t olCalendarViewWeek = 1;
inline constexpr std::int32_t olCalendarViewMonth = 2;
inline constexpr std::int32_t olCalendarViewMultiDay = 3;
inline constexpr std::int32_t olCalendarView5DayWeek = 4;

// Address list types: the organisation's global list, a contacts folder's
// list, and a list of another address-book provider.
inline constexpr std::int32_t olExchangeGlobalAddressList = 0;
inline constexpr std::int32_t olOutlookAddressList = 2;
inline constexpr std::int32_t olOutlookLdapAddressList = 3;

// Select-names dialog: default display modes and recipient selectors.
inline constexpr std::int32_t olDefaultMail = 1;
inline constexpr std::int32_t olDefaultSingleName = 7;
inline constexpr std::int32_t olShowNone = 0;
inline constexpr std::int32_t olShowTo = 1;
inline constexpr std::int32_t olShowToCc = 2;
inline constexpr std::int32_t olShowToCcBcc = 3;

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

// Class id under which a running Outlook registers itself, and the ProgIDs
// of the application and of the View Control.
inline constexpr const char* kOutlookClassId = "{0006F03A-0000-0000-C000-000000000046}";
inline constexpr const char* kOutlookProgId = "Outlook.Application";
inline constexpr const char* kViewControlProgId = "OLXLibCtl.ViewCtl";

// The error of every call on an object of an Outlook that has gone away
// (RPC_E_DISCONNECTED), and of a call on an item that was moved, deleted or
// sent meanwhile.
inline constexpr std::int32_t kDisconnected = static_cast<std::int32_t>(0x80010108u);
inline constexpr std::int32_t kItemMovedOrDeleted = static_cast<std::int32_t>(0x8004010Au);

}  // namespace ostrellix::outlook

#pragma once

#include <cstdint>

// Codes of the Kelo data engine that the add-in relies on by value.
namespace ostrellix::kelo {

// Class labels: what a class stands for.
namespace classlabel {
inline constexpr std::int32_t Company = 1;
inline constexpr std::int32_t Person = 2;
inline constexpr std::int32_t ToDo = 4;
inline constexpr std::int32_t Coworker = 6;
inline constexpr std::int32_t Document = 7;
}  // namespace classlabel

// Field type codes, and how each stores its values (Variant kinds).
namespace fieldtype {
inline constexpr std::int32_t Text = 2;             // one line of text (String)
inline constexpr std::int32_t LongText = 3;         // text of several lines, notes (String)
inline constexpr std::int32_t Integer = 4;          // whole number (Long)
inline constexpr std::int32_t Number = 5;           // decimal number (Double)
inline constexpr std::int32_t Time = 10;            // time of day (Date on 1899-12-30)
inline constexpr std::int32_t Date = 11;            // date without time (Date at midnight)
inline constexpr std::int32_t DateTime = 12;        // date and time (Date)
inline constexpr std::int32_t EMail = 13;           // e-mail address (String)
inline constexpr std::int32_t YesNo = 15;           // Boolean
inline constexpr std::int32_t RelationToOne = 16;   // id of the linked record (Long)
inline constexpr std::int32_t RelationToMany = 21;  // ids of the records linking here (Array of Long), read only
inline constexpr std::int32_t Document = 27;        // a document (Object: IDocument)
inline constexpr std::int32_t Memo = 28;            // formatted text of several lines (String)
}  // namespace fieldtype

// Filter operators.
namespace op {
inline constexpr std::int32_t Equal = 1;      // case-insensitive for text
inline constexpr std::int32_t LaterThan = 5;  // greater: later dates, larger numbers, text after in order
inline constexpr std::int32_t Contains = 15;  // partial match: the text holds the value anywhere, any case
}  // namespace op

// Record state flags.
namespace recordstate {
inline constexpr std::int32_t Loaded = 1;   // read from the database (or stored since)
inline constexpr std::int32_t New = 2;      // not yet stored
inline constexpr std::int32_t Changed = 4;  // holds changes not yet stored
}  // namespace recordstate

// Document state flags.
namespace documentstate {
inline constexpr std::int32_t Stored = 1;    // kept in the database (it has an id)
inline constexpr std::int32_t ReadOnly = 4;  // may not be changed
}  // namespace documentstate

// Modes of IDocument::Update.
namespace documentupdate {
inline constexpr std::int32_t Commit = 0;   // take the file's changes back and store them
inline constexpr std::int32_t Release = 2;  // give the file up without taking changes back
}  // namespace documentupdate

// How IFilter::Combine joins the conditions.
namespace logic {
inline constexpr std::int32_t And = 1;
inline constexpr std::int32_t Or = 2;
}  // namespace logic

// Option flags of the work dialog (IWorkDialog::SetStyle); the default is 7.
namespace dialogstyle {
inline constexpr std::int32_t ProgressBar = 1;
inline constexpr std::int32_t CancelButton = 2;  // without it the user cannot cancel
inline constexpr std::int32_t MessageLine = 4;
inline constexpr std::int32_t Animation = 16;
}  // namespace dialogstyle

// Answers of IWorkDialog::Show.
namespace dialogresult {
inline constexpr std::int32_t OK = 1;         // the work ran to its end, or the user confirmed
inline constexpr std::int32_t Cancelled = 2;  // the user cancelled
}  // namespace dialogresult

// Kinds of record link.
namespace linkkind {
inline constexpr std::int32_t Desktop = 1;
inline constexpr std::int32_t Web = 2;
inline constexpr std::int32_t Both = 3;
}  // namespace linkkind

// Log entry types.
namespace logtype {
inline constexpr std::int32_t Error = 2;
inline constexpr std::int32_t Progress = 4;
inline constexpr std::int32_t Stop = 6;
}  // namespace logtype

// Show modes of a record window opened by ShowRecord.
inline constexpr std::int32_t kShowModeReuseWindow = 1;  // the window already showing the record, if any
inline constexpr std::int32_t kShowModeNewWindow = 2;
// Mode of IContactImport::Run that makes person records from contact files.
inline constexpr std::int32_t kImportContacts = 16;
// Mouse pointers.
inline constexpr std::int32_t kPointerDefault = 0;
inline constexpr std::int32_t kPointerHourglass = 11;

}  // namespace ostrellix::kelo

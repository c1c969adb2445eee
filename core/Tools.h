#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "contracts/kelo/IDocument.h"
#include "runtime/ComError.h"
#include "runtime/Dictionary.h"
#include "runtime/Object.h"

namespace ostrellix::addin {

class Form;

// The shared procedures of the add-in: debug log and log entries, the
// error traps' reports, localized texts, message boxes, and small file-name
// and text utilities.
class Tools {
public:
    // Debugger output always; also "Ostrellix.log" in the host's working
    // folder while the per-user value "Debug" is not 0 (then it raises when
    // the host is not connected).
    static void WriteLog(std::string_view text);
    // A log line plus an entry in the host's log (types: kelo::logtype).
    static void AddLog(std::int32_t type, std::string_view message, std::string_view location,
                       std::string_view code);

    // The standard error trap's end: the error's description, extended with
    // its location and number, in a message box, and in the host's log
    // unless the add-in raised it itself.
    static void ReportError(const ComError& error, std::string_view location);
    // Like ReportError without the message box, for places that must not show one.
    static void LogError(const ComError& error, std::string_view location);

    [[noreturn]] static void RaiseError(std::string_view text);
    [[noreturn]] static void RaiseInternalError();

    // The text for a key ("CategoryName" means "Text.CategoryName"; keys with
    // a point are taken as they are) with %1, %2, %3 filled in. Never fails:
    // any trouble gives the key itself.
    static std::string GetText(std::string_view key, std::optional<std::string_view> p1 = std::nullopt,
                               std::optional<std::string_view> p2 = std::nullopt,
                               std::optional<std::string_view> p3 = std::nullopt);
    // A message box through the host, or the platform's when that fails.
    static std::int32_t ShowMessage(std::string_view text, std::int32_t buttons);
    // Captions of the form and its labels, frames, buttons, check and option
    // boxes replaced by the texts their current captions are keys of.
    static void LocalizeForm(Form& form);
    // Entries reordered by item text (or key) ascending, keys and items cut
    // to 50 characters; errors are reported at "Tools.SortDictionary".
    static void SortDictionary(Dictionary& dictionary, bool byKey);
    // The running instance registered for a class id ("{...}").
    static ObjectPtr GetObjectFromCLSID(std::string_view classId);
    static std::string MakeTempFileName(std::string_view extension);
    // The name cut so that name, point and the document's extension fit in 128 characters.
    static std::string FitDocumentName(const Ptr<kelo::IDocument>& document, std::string_view name);
};

}  // namespace ostrellix::addin

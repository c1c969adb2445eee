#include "core/Tools.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "contracts/kelo/Codes.h"
#include "contracts/win/IMessageBox.h"
#include "core/AddinConstants.h"
#include "core/DebugLog.h"
#include "core/Form.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Guid.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog GlobalsLog("Globals - ");
constexpr std::size_t kMaxDocumentName = 128;
constexpr std::size_t kSortedTextLength = 50;

// The leading number of a text, 0 when there is none (the language's Val).
double LeadingNumber(const std::string& text) { return std::strtod(text::Trim(text).c_str(), nullptr); }

bool DebugSwitchOn() {
    const std::string value =
        Globals::System().Settings().GetSetting(kSettingsApplication, kSettingsSection, "Debug", "0");
    return LeadingNumber(value) != 0.0;
}

}  // namespace

void Tools::WriteLog(std::string_view text) {
    std::string line = "Ostrellix - ";
    line += text;
    line += "\r\n";
    Globals::System().DebugOutput().OutputDebugString(line);
    if (!DebugSwitchOn()) return;
    const auto utility = Globals::Application()->Utility();
    utility->AppendToFile(utility->BuildPath(utility->WorkingFolder(), "Ostrellix.log"), text);
}

void Tools::AddLog(std::int32_t type, std::string_view message, std::string_view location, std::string_view code) {
    GlobalsLog("AddLog: Type=" + std::to_string(type) + ", Message='" + std::string(message) + "', Location='" +
               std::string(location) + "'");
    if (!Globals::IsConnectedToApplication()) return;
    if (const auto log = Globals::Application()->Log()) log->Add(type, kTitle, location, code, message);
}

void Tools::ReportError(const ComError& error, std::string_view location) {
    std::string description = error.Description();
    if (!location.empty()) {
        description += "\r\n\r\nSource: " + std::string(location) + "\r\nErrorcode: " + std::to_string(error.Number());
    }
    // Errors the add-in raised itself are the user's business, not the log's.
    if (error.Source() != kTitle) {
        IgnoreErrors([&] { AddLog(kelo::logtype::Error, description, error.Source(), error.HexNumber()); });
    }
    IgnoreErrors([&] { ShowMessage(description, win::mb::OK | win::mb::IconExclamation); });
}

void Tools::LogError(const ComError& error, std::string_view /*location*/) {
    IgnoreErrors([&] { AddLog(kelo::logtype::Error, error.Description(), error.Source(), error.HexNumber()); });
}

void Tools::RaiseError(std::string_view text) { throw ComError(kSystemError, kTitle, std::string(text)); }

void Tools::RaiseInternalError() { RaiseError(GetText("InternalError")); }

std::string Tools::GetText(std::string_view key, std::optional<std::string_view> p1, std::optional<std::string_view> p2,
                           std::optional<std::string_view> p3) {
    std::string result(key);
    IgnoreErrors([&] {
        std::string found(key);
        if (const auto bundle = Globals::ResourceBundle()) {
            found = bundle->Text(key.find('.') == std::string_view::npos ? "Text." + std::string(key) : std::string(key));
        }
        if (p1) found = text::Replace(found, "%1", *p1);
        if (p2) found = text::Replace(found, "%2", *p2);
        if (p3) found = text::Replace(found, "%3", *p3);
        result = std::move(found);
    });
    return result;
}

std::int32_t Tools::ShowMessage(std::string_view text, std::int32_t buttons) {
    std::int32_t answer = 0;
    if (!IgnoreErrors([&] { answer = Globals::Application()->MessageBox(text, buttons); })) return answer;
    return Globals::System().MessageBox().Show(text, GetText("MsgBoxCaption"), buttons | win::mb::Foreground);
}

void Tools::LocalizeForm(Form& form) {
    form.SetCaption(GetText(form.Name() + "." + form.Caption()));
    for (FormControl& control : form.ControlList()) {
        if (control.HasCaption()) control.caption = GetText(form.Name() + "." + control.caption);
    }
}

void Tools::SortDictionary(Dictionary& dictionary, bool byKey) {
    Trap(
        [&] {
            struct Row {
                std::string sortField, keyField;
            };
            std::vector<Row> rows;
            for (const auto& [key, item] : dictionary) {
                rows.push_back({text::Left(byKey ? key : item.ToString(), kSortedTextLength),
                                text::Left(key, kSortedTextLength)});
            }
            std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
                return text::StrComp(a.sortField, b.sortField, text::Compare::Text) < 0;
            });
            dictionary.RemoveAll();
            for (Row& row : rows) dictionary.Add(std::move(row.keyField), Variant(std::move(row.sortField)));
        },
        [](const ComError& error) { ReportError(error, "Tools.SortDictionary"); });
}

ObjectPtr Tools::GetObjectFromCLSID(std::string_view classId) {
    Guid guid;
    try {
        guid = Guid::Parse(classId);
    } catch (const ComError& error) {
        throw ComError(error.Number(), "Kelo.Ostrellix", "Failed to parse CLSID.");
    }
    try {
        return Globals::System().RunningObjects().GetActiveObject(guid);
    } catch (const ComError& error) {
        throw ComError(error.Number(), "Kelo.Ostrellix", "Failed to get active object.");
    }
}

std::string Tools::MakeTempFileName(std::string_view extension) {
    const auto utility = Globals::Application()->Utility();
    return utility->BuildPath(utility->WorkingFolder(), utility->UniqueName() + "." + std::string(extension));
}

std::string Tools::FitDocumentName(const Ptr<kelo::IDocument>& document, std::string_view name) {
    const std::string extension = document->Extension();
    const std::size_t extensionLength = text::Len(extension);
    if (text::Len(name) + 1 + extensionLength <= kMaxDocumentName) return std::string(name);
    return text::Left(name, kMaxDocumentName - 1 - extensionLength);
}

}  // namespace ostrellix::addin

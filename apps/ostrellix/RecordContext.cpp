#include "apps/ostrellix/RecordContext.h"

#include <algorithm>

#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::host {

RecordContext RecordContext::Parse(const std::string& text, const std::string& option) {
    const auto parts = text::Split(text, ":");
    const bool numeric = parts.size() == 2 && !parts[1].empty() && parts[1].size() <= 9 &&
                         std::ranges::all_of(parts[1], [](char c) { return c >= '0' && c <= '9'; });
    if (!numeric || parts[0].empty()) {
        throw ComError(errors::InvalidProcedureCall, "ostrellix",
                       option + " takes CLASS:ID, for example person:3, not \"" + text + "\"");
    }
    return RecordContext(parts[0], static_cast<std::int32_t>(std::stol(parts[1])), option);
}

std::optional<RecordContext> RecordContext::Parse(const std::optional<std::string>& text, const std::string& option) {
    if (!text) return std::nullopt;
    return Parse(*text, option);
}

Ptr<standin::kelo::Inspector> RecordContext::Open(Host& host) const {
    Ptr<standin::kelo::Inspector> window;
    Trap([&] { window = host.TheMachine().KeloUser().OpenRecord(className_, id_); },
         [&](const ComError& error) {
             throw ComError(errors::InvalidProcedureCall, "ostrellix",
                            option_ + " " + Text() + " names no record: " + error.Description());
         });
    return window;
}

}  // namespace ostrellix::host

#include "standins/kelo/engine/TextMerge.h"

#include <cctype>
#include <optional>

#include "runtime/ComError.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Record.h"

namespace ostrellix::standin::kelo {

namespace {

constexpr std::int32_t kPlain = 0;
constexpr std::int32_t kHtml = 2;
constexpr int kMaximumDepth = 4;

bool IsNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }

std::string HtmlEscaped(const std::string& value) {
    std::string escaped;
    for (char c : value) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

struct Code {
    std::size_t length;  // of the whole code, brackets included
    std::string name;
};

// The code that starts at `at`, written with `open` and `close`.
std::optional<Code> CodeAt(std::string_view text, std::size_t at, std::string_view open, std::string_view close) {
    if (text.substr(at, open.size()) != open) return std::nullopt;
    std::size_t end = at + open.size();
    while (end < text.size() && IsNameCharacter(text[end])) ++end;
    if (end == at + open.size() || text.substr(end, close.size()) != close) return std::nullopt;
    return Code{end + close.size() - at, std::string(text.substr(at + open.size(), end - at - open.size()))};
}

// Walks the codes of `text`; `replace` answers the text for a code, or
// nothing to leave it as it is.
template <class Replace>
std::string Walk(std::string_view text, bool html, Replace&& replace) {
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        std::optional<Code> code = CodeAt(text, at, "<", ">");
        if (!code && html) code = CodeAt(text, at, "&lt;", "&gt;");
        if (code) {
            if (std::optional<std::string> value = replace(code->name)) {
                result += *value;
                at += code->length;
                continue;
            }
        }
        result += text[at++];
    }
    return result;
}

}  // namespace

std::string TextMerge::Merge(std::string_view text, std::int32_t mode, Record& record) {
    if (mode != kPlain && mode != kHtml) {
        throw ComError(errors::InvalidProcedureCall, kEngineSource,
                       "Merge mode " + std::to_string(mode) + " is not known (0 plain text, 2 HTML)");
    }
    const bool html = mode == kHtml;
    return Walk(text, html, [&](const std::string& name) -> std::optional<std::string> {
        const std::optional<FieldPath> path = FieldPath::Find(record.OwnClass(), name);
        if (!path) return std::nullopt;
        const Variant value = record.ValueOf(*path);
        if (value.IsNull() || value.IsEmpty()) return std::nullopt;
        const std::string filled = record.TextOf(*path);
        return html ? HtmlEscaped(filled) : filled;
    });
}

std::string TextMerge::Descriptive(std::string_view pattern, Record& record) {
    // Patterns may name relations whose records' patterns name relations
    // again; a schema whose patterns go round in a circle stops here.
    static thread_local int depth = 0;
    if (depth >= kMaximumDepth) return {};
    ++depth;
    struct Leave {
        ~Leave() { --depth; }
    } leave;
    const std::string filled = Walk(pattern, false, [&](const std::string& name) -> std::optional<std::string> {
        const std::optional<FieldPath> path = FieldPath::Find(record.OwnClass(), name);
        if (!path || path->kind == FieldPath::Kind::Descriptive) return std::nullopt;
        return record.TextOf(*path);
    });
    std::string folded;
    for (char c : filled) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank) {
            if (!folded.empty() && folded.back() != ' ') folded += ' ';
        } else {
            folded += c;
        }
    }
    if (!folded.empty() && folded.back() == ' ') folded.pop_back();
    return folded;
}

}  // namespace ostrellix::standin::kelo

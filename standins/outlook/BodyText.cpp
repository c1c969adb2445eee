#include "standins/outlook/BodyText.h"

#include "standins/message/CodePage.h"
#include "standins/message/PropertyTag.h"

namespace ostrellix::standin::outlook {

namespace {

namespace tag = message::tag;

// The charset of HTML bytes: the message's Internet code page, else its
// code page, else what the bytes look like.
std::string Charset(const message::PropertyBag& bag, const Bytes& html) {
    for (const std::uint32_t codePage : {tag::PR_INTERNET_CPID, tag::PR_MESSAGE_CODEPAGE}) {
        const Variant value = bag.GetValue(codePage);
        if (!value.IsEmpty()) return message::CodePage::CharsetOf(static_cast<std::uint32_t>(value.ToLong()));
    }
    return message::CodePage::IsValidUtf8(html) ? "utf-8" : "windows-1252";
}

// Lower-cases ASCII letters only, so that positions stay those of the input.
std::string AsciiLower(std::string_view s) {
    std::string lower(s);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}
}  // namespace

std::string BodyText::ToHtml(std::string_view text) {
    std::string html = "<html><body>";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            html += "&lt;";
        } else if (c == '>') {
            html += "&gt;";
        } else if (c == '&') {
            html += "&amp;";
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            html += "<br>";
        } else if (c == '\n') {
            html += "<br>";
        } else {
            html += c;
        }
    }
    return html + "</body></html>";
}

std::string BodyText::FromHtml(std::string_view html) {
    // Everything before the body (head, styles) is not shown.
    const std::string lower = AsciiLower(html);
    std::size_t start = 0;
    if (const std::size_t body = lower.find("<body"); body != std::string::npos) {
        const std::size_t close = lower.find('>', body);
        start = close == std::string::npos ? html.size() : close + 1;
    }
    std::string text;
    for (std::size_t i = start; i < html.size(); ++i) {
        if (html[i] == '<') {
            const std::size_t end = html.find('>', i);
            if (end == std::string_view::npos) break;
            const std::string tag = lower.substr(i + 1, end - i - 1);
            const std::string name = tag.substr(0, tag.find_first_of(" /", 1));
            if (name == "br" || name == "/p" || name == "/div" || name == "/tr" || name == "/li") text += "\r\n";
            if (name == "/body") break;
            i = end;
        } else if (html[i] == '&') {
            static constexpr std::pair<std::string_view, char> entities[] = {
                {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&#39;", '\''}, {"&nbsp;", ' '}};
            bool decoded = false;
            for (const auto& [entity, character] : entities) {
                if (html.substr(i, entity.size()) == entity) {
                    text += character;
                    i += entity.size() - 1;
                    decoded = true;
                    break;
                }
            }
            if (!decoded) text += '&';
        } else if (html[i] != '\r' && html[i] != '\n') {
            text += html[i];
        }
    }
    return text;
}

std::optional<std::string> BodyText::StoredHtml(const message::PropertyBag& bag) {
    const Variant html = bag.GetValue(tag::PR_BODY_HTML);
    if (html.IsEmpty()) return std::nullopt;
    if (html.VarType() == Variant::Type::ByteArray) return message::CodePage::ToUtf8(html.ToBytes(), Charset(bag, html.ToBytes()));
    return html.ToString();
}

}  // namespace ostrellix::standin::outlook

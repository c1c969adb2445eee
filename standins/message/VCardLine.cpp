#include "standins/message/VCardLine.h"

#include <cctype>

namespace ostrellix::standin::message {

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return std::string(text);
}

bool IsEncoding(const std::string& upper) {
    return upper == "QUOTED-PRINTABLE" || upper == "BASE64" || upper == "B" || upper == "8BIT" || upper == "7BIT";
}

}  // namespace

std::optional<VCardLine> VCardLine::Parse(std::string_view line) {
    // The name and parameters end at the first colon outside double quotes.
    std::size_t colon = std::string_view::npos;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;

    VCardLine result;
    result.value_ = std::string(line.substr(colon + 1));
    std::vector<std::string> pieces(1);
    quoted = false;
    for (char c : line.substr(0, colon)) {
        if (c == '"') quoted = !quoted;
        if (c == ';' && !quoted) {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    std::string name = Upper(Trimmed(pieces.front()));
    if (const auto dot = name.rfind('.'); dot != std::string::npos) name = name.substr(dot + 1);  // the group
    if (name.empty()) return std::nullopt;
    result.name_ = std::move(name);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const auto equals = pieces[i].find('=');
        if (equals == std::string::npos) {
            const std::string bare = Upper(Trimmed(pieces[i]));
            if (!bare.empty()) result.params_.emplace_back(IsEncoding(bare) ? "ENCODING" : "TYPE", bare);
            continue;
        }
        std::string value = Trimmed(std::string_view(pieces[i]).substr(equals + 1));
        std::string unquoted;
        for (char c : value) {
            if (c != '"') unquoted += c;
        }
        result.params_.emplace_back(Upper(Trimmed(std::string_view(pieces[i]).substr(0, equals))), unquoted);
    }
    return result;
}

std::vector<std::string> VCardLine::Param(std::string_view name) const {
    std::vector<std::string> values;
    for (const auto& [paramName, value] : params_) {
        if (paramName != name) continue;
        std::string current;
        for (char c : value) {
            if (c == ',') {
                values.push_back(Trimmed(current));
                current.clear();
            } else {
                current += c;
            }
        }
        values.push_back(Trimmed(current));
    }
    return values;
}

bool VCardLine::HasType(std::string_view type) const {
    const std::string wanted = Upper(type);
    for (const std::string& value : Param("TYPE")) {
        if (Upper(value) == wanted) return true;
    }
    return false;
}

}  // namespace ostrellix::standin::message

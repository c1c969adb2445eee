#include "standins/mapi/RtfText.h"

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/Text.h"
#include "standins/message/CodePage.h"

namespace ostrellix::standin::mapi {

namespace {

namespace msg = ::ostrellix::standin::message;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Destinations whose content is not text a reader sees.
constexpr std::array<std::string_view, 24> kSkipped = {
    "fonttbl",  "colortbl", "stylesheet", "info",       "pict",        "object",     "header",     "footer",
    "headerl",  "headerr",  "headerf",    "footerl",    "footerr",     "footerf",    "listtable",  "listoverridetable",
    "revtbl",   "rsidtbl",  "xmlnstbl",   "generator",  "themedata",   "datastore",  "latentstyles", "fldinst"};

bool Skipped(std::string_view word) {
    for (std::string_view skipped : kSkipped) {
        if (word == skipped) return true;
    }
    return false;
}

char32_t Special(std::string_view word) {
    if (word == "emdash") return U'\u2014';
    if (word == "endash") return U'\u2013';
    if (word == "bullet") return U'\u2022';
    if (word == "lquote") return U'\u2018';
    if (word == "rquote") return U'\u2019';
    if (word == "ldblquote") return U'\u201C';
    if (word == "rdblquote") return U'\u201D';
    return 0;
}

// Reads one RTF document into text.
class Reader {
public:
    explicit Reader(std::string_view rtf) : rtf_(rtf) {}

    std::string Run() {
        while (pos_ < rtf_.size()) {
            const char c = rtf_[pos_++];
            if (c == '{') {
                groups_.push_back(groups_.back());
            } else if (c == '}') {
                if (groups_.size() > 1) groups_.pop_back();
                fallback_ = 0;
            } else if (c == '\\') {
                Control();
            } else if (c != '\r' && c != '\n') {
                Byte(static_cast<std::uint8_t>(c));
            }
        }
        Flush();
        return out_;
    }

private:
    struct Group {
        bool skip = false;
        int unicodeFallback = 1;  // \ucN: characters that stand in for each \u character
    };

    bool Skipping() const { return groups_.back().skip; }

    // Text in the document's code page; kept until something else comes, so
    // that multi-byte code pages decode whole characters.
    void Byte(std::uint8_t byte) {
        if (fallback_ > 0) {
            --fallback_;
            return;
        }
        if (!Skipping()) pending_.push_back(byte);
    }

    void Flush() {
        if (pending_.empty()) return;
        out_ += msg::CodePage::ToUtf8(pending_, charset_);
        pending_.clear();
    }

    void Emit(char32_t c) {
        if (Skipping()) return;
        Flush();
        AppendUtf8(out_, c);
    }

    void Emit(std::string_view text) {
        if (Skipping()) return;
        Flush();
        out_ += text;
    }

    void Control() {
        if (pos_ >= rtf_.size()) return;
        const char c = rtf_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            Symbol(c);
            return;
        }
        const std::size_t start = pos_;
        while (pos_ < rtf_.size() && IsLetter(rtf_[pos_])) ++pos_;
        const std::string_view word = rtf_.substr(start, pos_ - start);
        bool hasParameter = false;
        long parameter = 0;
        const bool negative = pos_ < rtf_.size() && rtf_[pos_] == '-';
        if (negative) ++pos_;
        while (pos_ < rtf_.size() && IsDigit(rtf_[pos_])) {
            hasParameter = true;
            if (parameter < 1000000) parameter = parameter * 10 + (rtf_[pos_] - '0');
            ++pos_;
        }
        if (negative) parameter = -parameter;
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
        Word(word, hasParameter, parameter);
    }

    void Symbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}': Byte(static_cast<std::uint8_t>(c)); break;
            case '~': Emit(U'\u00A0'); break;
            case '_': Emit(U'\u2011'); break;
            case '*': groups_.back().skip = true; break;
            case '\'': {
                // Two hex digits; a byte cut short is dropped with what there is of it.
                int value = 0, digits = 0;
                while (digits < 2 && pos_ < rtf_.size() && HexDigit(rtf_[pos_]) >= 0) {
                    value = value * 16 + HexDigit(rtf_[pos_++]);
                    ++digits;
                }
                if (digits == 2) Byte(static_cast<std::uint8_t>(value));
                break;
            }
            case '\r':
            case '\n': Emit("\r\n"); break;  // a backslash before a line break is \par
            default: break;                 // \- optional hyphen, \| and the like show nothing
        }
    }

    void Word(std::string_view word, bool hasParameter, long parameter) {
        if (word == "par" || word == "line") {
            Emit("\r\n");
        } else if (word == "tab") {
            Emit("\t");
        } else if (word == "u" && hasParameter) {
            Unicode(parameter < 0 ? parameter + 65536 : parameter);
        } else if (word == "uc" && hasParameter) {
            groups_.back().unicodeFallback = static_cast<int>(parameter);
        } else if (word == "ansicpg" && hasParameter && parameter > 0) {
            Flush();
            charset_ = msg::CodePage::CharsetOf(static_cast<std::uint32_t>(parameter));
        } else if (Skipped(word)) {
            groups_.back().skip = true;
        } else if (const char32_t special = Special(word)) {
            Emit(special);
        }
    }

    void Unicode(long unit) {
        const auto value = static_cast<char32_t>(unit);
        if (value >= 0xD800 && value <= 0xDBFF) {
            highSurrogate_ = value;
        } else if (value >= 0xDC00 && value <= 0xDFFF) {
            if (highSurrogate_) Emit(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (value - 0xDC00));
            highSurrogate_ = 0;
        } else {
            Emit(value);
        }
        fallback_ = groups_.back().unicodeFallback;
    }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    std::vector<Group> groups_{Group{}};
    std::vector<std::uint8_t> pending_;
    std::string charset_ = "windows-1252";
    std::string out_;
    int fallback_ = 0;
    char32_t highSurrogate_ = 0;
};

void AppendUnit(std::string& rtf, char32_t unit) {
    // \u takes a signed 16-bit number; "?" stands in for readers without Unicode.
    const long value = unit > 0x7FFF ? static_cast<long>(unit) - 65536 : static_cast<long>(unit);
    rtf += "\\u" + std::to_string(value) + "?";
}

}  // namespace

std::string RtfText::FromPlain(std::string_view text) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Calibri;}}\\uc1\\f0\\fs22 ";
    const std::vector<char32_t> characters = text::CodePoints(text);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const char32_t c = characters[i];
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < characters.size() && characters[i + 1] == U'\n') ++i;
            rtf += "\\par\r\n";
        } else if (c == U'\t') {
            rtf += "\\tab ";
        } else if (c == U'\\' || c == U'{' || c == U'}') {
            rtf += '\\';
            rtf += static_cast<char>(c);
        } else if (c < 0x80) {
            rtf += static_cast<char>(c);
        } else if (c < 0x10000) {
            AppendUnit(rtf, c);
        } else {
            AppendUnit(rtf, 0xD800 + ((c - 0x10000) >> 10));
            AppendUnit(rtf, 0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return rtf + "}";
}

std::string RtfText::ToPlain(std::string_view rtf) { return Reader(rtf).Run(); }

}  // namespace ostrellix::standin::mapi

#include "runtime/Text.h"

#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <memory>

#include "runtime/ComError.h"

namespace ostrellix::text {

namespace {

// Byte offset where character number `index` (0-based) starts; the text's
// size when it has fewer characters.
std::size_t ByteOffset(std::string_view s, std::size_t index) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
    const int32_t length = static_cast<int32_t>(s.size());
    int32_t offset = 0;
    for (std::size_t n = 0; n < index && offset < length; ++n) {
        UChar32 c;
        U8_NEXT(bytes, offset, length, c);
        (void)c;
    }
    return static_cast<std::size_t>(offset);
}

std::u16string ToUtf16(std::string_view s) {
    std::u16string out(s.size(), u'\0');
    int32_t written = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &written,
                         s.data(), static_cast<int32_t>(s.size()), 0xFFFD, nullptr, &status);
    out.resize(static_cast<std::size_t>(written));
    return out;
}

std::string FromUtf16(const std::u16string& s) {
    std::string out(s.size() * 3, '\0');
    int32_t written = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &written,
                       reinterpret_cast<const UChar*>(s.data()), static_cast<int32_t>(s.size()), 0xFFFD,
                       nullptr, &status);
    out.resize(static_cast<std::size_t>(written));
    return out;
}

// Text that is all ASCII maps and compares case without ICU, to the same
// result: names and keys compared by the thousand are nearly always ASCII.
bool IsAscii(std::string_view s) {
    return std::ranges::all_of(s, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string MapAscii(std::string_view s, char (*map)(char)) {
    std::string out(s);
    for (char& c : out) c = map(c);
    return out;
}

using CaseMapping = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

std::string MapCase(std::string_view s, CaseMapping map) {
    const std::u16string source = ToUtf16(s);
    std::u16string target(source.size() + 8, u'\0');
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length = map(reinterpret_cast<UChar*>(target.data()), static_cast<int32_t>(target.size()),
                                   reinterpret_cast<const UChar*>(source.data()),
                                   static_cast<int32_t>(source.size()), "", &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            target.resize(static_cast<std::size_t>(length));
            continue;
        }
        target.resize(static_cast<std::size_t>(length));
        return FromUtf16(target);
    }
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenConverter(const char* name) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) throw ComError(errors::Unexpected, "Ostrellix.Runtime",
                                          std::string("Code page converter unavailable: ") + name);
    return converter;
}

// One element of a Like pattern.
struct PatternElement {
    enum Kind { Literal, AnyChar, Digit, AnyRun, Set };
    PatternElement(Kind k, char32_t c = 0) : kind(k), literal(c) {}

    Kind kind;
    char32_t literal;
    bool negate = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;

    bool Matches(char32_t c) const {
        switch (kind) {
            case Literal: return c == literal;
            case AnyChar: return true;
            case Digit: return c >= U'0' && c <= U'9';
            case Set: {
                bool in = false;
                for (auto [low, high] : ranges) in = in || (c >= low && c <= high);
                return in != negate;
            }
            case AnyRun: break;
        }
        return false;
    }
};

std::vector<PatternElement> ParsePattern(const std::vector<char32_t>& p) {
    std::vector<PatternElement> elements;
    for (std::size_t i = 0; i < p.size();) {
        const char32_t c = p[i++];
        if (c == U'?') elements.emplace_back(PatternElement::AnyChar);
        else if (c == U'#') elements.emplace_back(PatternElement::Digit);
        else if (c == U'*') elements.emplace_back(PatternElement::AnyRun);
        else if (c != U'[') elements.emplace_back(PatternElement::Literal, c);
        else {
            PatternElement set(PatternElement::Set);
            if (i < p.size() && p[i] == U'!') {
                set.negate = true;
                ++i;
            }
            while (i < p.size() && p[i] != U']') {
                const char32_t low = p[i++];
                char32_t high = low;
                if (i + 1 < p.size() && p[i] == U'-' && p[i + 1] != U']') {
                    high = p[i + 1];
                    i += 2;
                    if (high < low) RaiseRuntimeError(errors::InvalidPatternString);
                }
                set.ranges.emplace_back(low, high);
            }
            if (i >= p.size()) RaiseRuntimeError(errors::InvalidPatternString);
            ++i;  // the ']'
            elements.push_back(std::move(set));
        }
    }
    return elements;
}

}  // namespace

std::size_t Len(std::string_view s) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
    const int32_t length = static_cast<int32_t>(s.size());
    std::size_t count = 0;
    for (int32_t offset = 0; offset < length; ++count) {
        UChar32 c;
        U8_NEXT(bytes, offset, length, c);
        (void)c;
    }
    return count;
}

std::string Left(std::string_view s, std::size_t count) { return std::string(s.substr(0, ByteOffset(s, count))); }

std::string Right(std::string_view s, std::size_t count) {
    const std::size_t length = Len(s);
    if (count >= length) return std::string(s);
    return std::string(s.substr(ByteOffset(s, length - count)));
}

std::string Mid(std::string_view s, std::size_t start, std::optional<std::size_t> count) {
    if (start == 0) RaiseRuntimeError(errors::InvalidProcedureCall);
    const std::size_t begin = ByteOffset(s, start - 1);
    std::string_view rest = s.substr(begin);
    if (!count) return std::string(rest);
    return std::string(rest.substr(0, ByteOffset(rest, *count)));
}

std::string LTrim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string RTrim(std::string_view s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string UCase(std::string_view s) { return IsAscii(s) ? MapAscii(s, AsciiUpper) : MapCase(s, u_strToUpper); }

std::string LCase(std::string_view s) { return IsAscii(s) ? MapAscii(s, AsciiLower) : MapCase(s, u_strToLower); }

std::string Replace(std::string_view s, std::string_view find, std::string_view replacement) {
    if (find.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t from = 0;
    for (std::size_t at; (at = s.find(find, from)) != std::string_view::npos; from = at + find.size()) {
        out.append(s.substr(from, at - from));
        out.append(replacement);
    }
    out.append(s.substr(from));
    return out;
}

std::vector<std::string> Split(std::string_view s, std::string_view delimiter) {
    std::vector<std::string> pieces;
    if (s.empty()) return pieces;
    if (delimiter.empty()) {
        pieces.emplace_back(s);
        return pieces;
    }
    std::size_t from = 0;
    for (std::size_t at; (at = s.find(delimiter, from)) != std::string_view::npos; from = at + delimiter.size()) {
        pieces.emplace_back(s.substr(from, at - from));
    }
    pieces.emplace_back(s.substr(from));
    return pieces;
}

std::size_t InStr(std::string_view s, std::string_view find, std::size_t start) {
    if (start == 0) RaiseRuntimeError(errors::InvalidProcedureCall);
    if (start - 1 > Len(s)) return 0;
    if (find.empty()) return start;
    const std::size_t begin = ByteOffset(s, start - 1);
    const std::size_t at = s.find(find, begin);
    if (at == std::string_view::npos) return 0;
    return Len(s.substr(0, at)) + 1;
}

int StrComp(std::string_view a, std::string_view b, Compare mode) {
    int result;
    if (mode == Compare::Binary) {
        result = a.compare(b);
    } else if (IsAscii(a) && IsAscii(b)) {
        const auto mismatch = std::ranges::mismatch(a, b, {}, AsciiLower, AsciiLower);
        result = mismatch.in1 == a.end() || mismatch.in2 == b.end()
                     ? static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size())
                     : AsciiLower(*mismatch.in1) - AsciiLower(*mismatch.in2);
    } else {
        const std::u16string ua = ToUtf16(a), ub = ToUtf16(b);
        UErrorCode status = U_ZERO_ERROR;
        result = u_strCaseCompare(reinterpret_cast<const UChar*>(ua.data()), static_cast<int32_t>(ua.size()),
                                  reinterpret_cast<const UChar*>(ub.data()), static_cast<int32_t>(ub.size()),
                                  U_FOLD_CASE_DEFAULT, &status);
    }
    return (result > 0) - (result < 0);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return StrComp(a, b, Compare::Text) == 0; }

bool Like(std::string_view s, std::string_view patternText) {
    const std::vector<char32_t> str = CodePoints(s);
    const std::vector<PatternElement> pattern = ParsePattern(CodePoints(patternText));
    // Greedy match that backtracks only to the last run ('*') seen: linear
    // in practice, quadratic at worst, never exponential.
    std::size_t si = 0, pi = 0;
    std::optional<std::size_t> runPattern;
    std::size_t runString = 0;
    while (si < str.size()) {
        if (pi < pattern.size() && pattern[pi].kind == PatternElement::AnyRun) {
            runPattern = ++pi;
            runString = si;
        } else if (pi < pattern.size() && pattern[pi].Matches(str[si])) {
            ++pi;
            ++si;
        } else if (!runPattern) {
            return false;
        } else {
            pi = *runPattern;
            si = ++runString;
        }
    }
    while (pi < pattern.size() && pattern[pi].kind == PatternElement::AnyRun) ++pi;
    return pi == pattern.size();
}

std::string ToWindows1252(std::string_view s) {
    // The first 128 code points are the same bytes in both.
    if (IsAscii(s)) return std::string(s);
    thread_local Converter utf8 = OpenConverter("UTF-8");
    thread_local Converter cp1252 = [] {
        Converter c = OpenConverter("windows-1252");
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setSubstChars(c.get(), "?", 1, &status);
        return c;
    }();
    std::string out(s.size(), '\0');  // never more bytes than the UTF-8 input
    const char* source = s.data();
    char* target = out.data();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_convertEx(cp1252.get(), utf8.get(), &target, out.data() + out.size(), &source, s.data() + s.size(),
                   nullptr, nullptr, nullptr, nullptr, true, true, &status);
    if (U_FAILURE(status)) {
        throw ComError(errors::Unexpected, "Ostrellix.Runtime",
                       std::string("Conversion to Windows-1252 failed: ") + u_errorName(status));
    }
    out.resize(static_cast<std::size_t>(target - out.data()));
    return out;
}

std::vector<char32_t> CodePoints(std::string_view s) {
    std::vector<char32_t> out;
    out.reserve(s.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
    const int32_t length = static_cast<int32_t>(s.size());
    for (int32_t offset = 0; offset < length;) {
        UChar32 c;
        U8_NEXT(bytes, offset, length, c);
        out.push_back(c < 0 ? U'\uFFFD' : static_cast<char32_t>(c));
    }
    return out;
}

}  // namespace ostrellix::text

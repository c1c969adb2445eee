#include "runtime/Date.h"

#include <cmath>
#include <cstdio>

#include "runtime/ComError.h"

namespace ostrellix {

namespace {

constexpr int kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& year, int& month, int& day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(static_cast<long>(yoe) + era * 400 + (m <= 2));
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

constexpr long kEpoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

// Reads exactly `width` digits; false when they are not there.
bool ReadNumber(std::string_view& text, std::size_t width, int& value) {
    if (text.size() < width) return false;
    value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    text.remove_prefix(width);
    return true;
}

bool ReadChar(std::string_view& text, char expected) {
    if (text.empty() || text.front() != expected) return false;
    text.remove_prefix(1);
    return true;
}

bool ReadTime(std::string_view& text, int& h, int& mi, int& s) {
    s = 0;
    if (!ReadNumber(text, 2, h) || !ReadChar(text, ':') || !ReadNumber(text, 2, mi)) return false;
    if (ReadChar(text, ':') && !ReadNumber(text, 2, s)) return false;
    return h < 24 && mi < 60 && s < 60;
}

}  // namespace

Date Date::FromParts(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        RaiseRuntimeError(errors::InvalidProcedureCall);
    }
    const double days = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month),
                                                          static_cast<unsigned>(day)) - kEpoch);
    const double time = (hour * 3600 + minute * 60 + second) / double(kSecondsPerDay);
    return FromLinear(days + time);
}

Date Date::FromTime(int hour, int minute, int second) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        RaiseRuntimeError(errors::InvalidProcedureCall);
    }
    return Date((hour * 3600 + minute * 60 + second) / double(kSecondsPerDay));
}

std::optional<Date> Date::TryParse(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int y, mo, d, h, mi, s;
    std::string_view rest = text;
    if (ReadTime(rest, h, mi, s) && rest.empty()) return FromTime(h, mi, s);
    rest = text;
    h = mi = s = 0;
    if (!ReadNumber(rest, 4, y) || !ReadChar(rest, '-') || !ReadNumber(rest, 2, mo) ||
        !ReadChar(rest, '-') || !ReadNumber(rest, 2, d)) {
        return std::nullopt;
    }
    if (!rest.empty()) {
        if (!ReadChar(rest, ' ') && !ReadChar(rest, 'T')) return std::nullopt;
        if (!ReadTime(rest, h, mi, s) || !rest.empty()) return std::nullopt;
    }
    if (y < 100 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo)) return std::nullopt;
    return FromParts(y, mo, d, h, mi, s);
}

Date Date::Parse(std::string_view text) {
    if (auto date = TryParse(text)) return *date;
    RaiseRuntimeError(errors::TypeMismatch);
}

double Date::Linear() const {
    const double whole = std::trunc(serial_);
    return whole + std::fabs(serial_ - whole);
}

Date Date::FromLinear(double linear) {
    const double whole = std::floor(linear);
    const double fraction = linear - whole;
    if (whole >= 0 || fraction == 0) return Date(linear);
    // Before the epoch the fraction is written with the day's sign.
    return Date(whole - fraction);
}

Date::Parts Date::Split() const {
    // Rounded to the second, as the platform does; 23:59:59.6 rolls over.
    const double linear = Linear();
    const double totalSeconds = std::round(linear * kSecondsPerDay);
    const long days = static_cast<long>(std::floor(totalSeconds / kSecondsPerDay));
    const long secondOfDay = static_cast<long>(totalSeconds - double(days) * kSecondsPerDay);
    Parts p{};
    CivilFromDays(days + kEpoch, p.year, p.month, p.day);
    p.hour = static_cast<int>(secondOfDay / 3600);
    p.minute = static_cast<int>(secondOfDay / 60 % 60);
    p.second = static_cast<int>(secondOfDay % 60);
    return p;
}

int Date::Year() const { return Split().year; }
int Date::Month() const { return Split().month; }
int Date::Day() const { return Split().day; }
int Date::Hour() const { return Split().hour; }
int Date::Minute() const { return Split().minute; }
int Date::Second() const { return Split().second; }

Date Date::DatePart() const {
    const Parts p = Split();
    return FromLinear(double(DaysFromCivil(p.year, unsigned(p.month), unsigned(p.day)) - kEpoch));
}

Date Date::TimePart() const {
    const Parts p = Split();
    return Date((p.hour * 3600 + p.minute * 60 + p.second) / double(kSecondsPerDay));
}

bool Date::IsMidnight() const {
    const Parts p = Split();
    return p.hour == 0 && p.minute == 0 && p.second == 0;
}

Date Date::AddDays(double days) const { return FromLinear(Linear() + days); }

Date Date::AddSeconds(double seconds) const { return AddDays(seconds / kSecondsPerDay); }

namespace {

// Checksums turn many thousands of dates into text in a run: the digits go
// down directly rather than through the formatted printer.
char* TwoDigits(char* out, int value, char after) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    out[2] = after;
    return out + (after ? 3 : 2);
}

}  // namespace

std::string Date::ToString() const {
    const Parts p = Split();
    char buffer[24];
    char* end = buffer;
    const bool timeOnly = p.year == 1899 && p.month == 12 && p.day == 30;
    const bool midnight = p.hour == 0 && p.minute == 0 && p.second == 0;
    if (p.year < 0 || p.year > 9999) {
        // Beyond four digits (no date of the platform's range): as the printer writes it.
        char wide[64];
        if (midnight) {
            std::snprintf(wide, sizeof wide, "%04d-%02d-%02d", p.year, p.month, p.day);
        } else {
            std::snprintf(wide, sizeof wide, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour,
                          p.minute, p.second);
        }
        return wide;
    }
    if (!timeOnly || midnight) {
        end = TwoDigits(TwoDigits(end, p.year / 100, 0), p.year % 100, '-');
        end = TwoDigits(TwoDigits(end, p.month, '-'), p.day, midnight ? 0 : ' ');
    }
    if (!midnight) end = TwoDigits(TwoDigits(TwoDigits(end, p.hour, ':'), p.minute, ':'), p.second, 0);
    return {buffer, end};
}

}  // namespace ostrellix

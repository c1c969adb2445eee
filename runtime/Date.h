#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace ostrellix {

// An OLE automation date: days since 1899-12-30 00:00 as a double, the time
// of day in the fraction. Before 1899-12-30 the serial is negative and its
// fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00), so
// serials do not order such dates; the comparison operators do.
//
// Text form, the same on every machine and every run:
//   "YYYY-MM-DD"            a date at midnight (the time part is left out)
//   "YYYY-MM-DD hh:mm:ss"   a date with a time of day
//   "hh:mm:ss"              a time alone (date part 1899-12-30, not midnight)
// Parse accepts those forms, "hh:mm", and "T" in place of the blank.
class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double serial) : serial_(serial) {}

    // Raises 5 (invalid argument) for parts out of range; years 100 to 9999.
    static Date FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static Date FromTime(int hour, int minute, int second = 0);
    // Raises 13 (type mismatch) when the text is not a date in a form above.
    static Date Parse(std::string_view text);
    static std::optional<Date> TryParse(std::string_view text);

    constexpr double Serial() const { return serial_; }

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;

    // The date at midnight, and the time of day on 1899-12-30.
    Date DatePart() const;
    Date TimePart() const;
    bool IsMidnight() const;

    Date AddDays(double days) const;
    Date AddSeconds(double seconds) const;

    std::string ToString() const;

    friend bool operator==(const Date& a, const Date& b) { return a.Linear() == b.Linear(); }
    friend std::partial_ordering operator<=>(const Date& a, const Date& b) {
        return a.Linear() <=> b.Linear();
    }

private:
    struct Parts {
        int year, month, day, hour, minute, second;
    };
    Parts Split() const;
    double Linear() const;
    static Date FromLinear(double linear);

    double serial_ = 0.0;
};

}  // namespace ostrellix

#include "apps/ostrellix/ProgressLine.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace ostrellix::host {

namespace {

// Carriage return, then "erase to the end of the line".
constexpr const char* kStartOfLine = "\r\x1b[K";

std::string Rate(double perSecond) {
    char text[32];
    std::snprintf(text, sizeof text, perSecond < 10 ? "%.1f" : "%.0f", perSecond);
    return text;
}

// m:ss, or h:mm:ss from an hour on.
std::string Duration(double seconds) {
    const auto whole = static_cast<long long>(std::llround(seconds));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    }
    return text;
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, std::size_t total, std::string unit, Clock clock)
    : out_(out), total_(total), unit_(std::move(unit)), clock_(std::move(clock)), start_(clock_()) {}

ProgressLine::~ProgressLine() { Clear(); }

void ProgressLine::Advance(std::size_t count) {
    done_ += count;
    out_ << kStartOfLine << Text() << std::flush;
    drawn_ = true;
}

void ProgressLine::Clear() {
    if (!drawn_) return;
    out_ << kStartOfLine << std::flush;
    drawn_ = false;
}

std::string ProgressLine::Text() const {
    std::string text = std::to_string(done_) + "/" + std::to_string(total_) + " " + unit_;
    const double seconds = std::chrono::duration<double>(clock_() - start_).count();
    // Nothing done yet, or no time passed, gives no rate to speak of.
    if (done_ == 0 || seconds <= 0) return text;
    const double rate = static_cast<double>(done_) / seconds;
    text += ", " + Rate(rate) + " " + unit_ + "/s";
    if (done_ < total_) text += ", " + Duration(static_cast<double>(total_ - done_) / rate) + " left";
    return text;
}

}  // namespace ostrellix::host

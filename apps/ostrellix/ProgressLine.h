#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

namespace ostrellix::host {

// The one-line progress of long work on a terminal: "37/1000 files,
// 212 files/s, 0:05 left". It is redrawn in place (carriage return, then
// erase to the end of the line), so the stream should be a terminal; other
// output must call Clear first so that it starts at the beginning of a line.
// The rate is the average since the line was made.
class ProgressLine {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // `unit` names what is counted, in the plural ("files").
    ProgressLine(std::ostream& out, std::size_t total, std::string unit, Clock clock = std::chrono::steady_clock::now);
    // Takes the line off the screen.
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Counts `count` more as done and draws the line.
    void Advance(std::size_t count = 1);
    // Takes the line off the screen until the next Advance.
    void Clear();
    // The line as it stands now.
    std::string Text() const;

private:
    std::ostream& out_;
    std::size_t total_;
    std::string unit_;
    Clock clock_;
    std::chrono::steady_clock::time_point start_;
    std::size_t done_ = 0;
    bool drawn_ = false;
};

}  // namespace ostrellix::host

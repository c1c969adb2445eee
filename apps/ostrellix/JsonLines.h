#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>

namespace ostrellix::host {

// Results for scripts: one JSON object per line, each flushed as it is
// written so that a reader sees every result as soon as it is there. Text
// that is not valid UTF-8 (a file name may be anything) is written with
// U+FFFD in place of the bad bytes rather than failing the output.
class JsonLines {
public:
    explicit JsonLines(std::ostream& out) : out_(out) {}

    void Write(const nlohmann::json& object);

private:
    std::ostream& out_;
};

}  // namespace ostrellix::host

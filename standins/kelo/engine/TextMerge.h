#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrellix::standin::kelo {

class Record;

// Field codes in a text replaced by a record's values. A code is a field
// name or relation path between angle brackets: <lastname>, <company.name>,
// also <id>, <timestamp> and <descriptive>; names ignore case. A code that
// names nothing in the record's class stays as it is (so HTML tags pass
// through), and so does a code whose field holds no value, so that a
// caller can tell an unfilled code from a filled one.
//
// Mode 0 merges plain text. Mode 2 merges HTML: codes may also be written
// escaped (&lt;lastname&gt;, as an HTML editor stores typed brackets), and
// the values put in are HTML-escaped. Other modes raise 5.
class TextMerge {
public:
    static std::string Merge(std::string_view text, std::int32_t mode, Record& record);
    // The class's descriptive pattern filled in: codes without a value become
    // nothing, runs of blanks fold into one, and the ends are trimmed.
    static std::string Descriptive(std::string_view pattern, Record& record);
};

}  // namespace ostrellix::standin::kelo

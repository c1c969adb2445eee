#pragma once

#include <stdexcept>
#include <string>

namespace ostrellix::standin::message {

// A fault in the bytes of a message file, found while decoding it. The
// readers turn it into a ComError that names the file; it never leaves the
// library.
class FormatError : public std::runtime_error {
public:
    explicit FormatError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace ostrellix::standin::message

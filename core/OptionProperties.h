#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace ostrellix::addin {

class Options;

// The options by property name, with their kinds: what scripts of the
// Kelo client reach through late binding and the host program lists, reads
// and writes. Setting converts the value to the property's kind and
// raises 13 (or 6 for a number out of range) when it does not fit.
class OptionProperties {
public:
    enum class Kind { Text, Boolean, Integer, Long, DateTime, TextList };

    struct Property {
        std::string name;
        Kind kind;
        std::function<Variant(Options&)> get;
        std::function<void(Options&, const Variant&)> set;
    };

    static const std::vector<Property>& All();
    // Nothing when no option has that name (compared without regard to case).
    static const Property* Find(std::string_view name);
    static const char* KindName(Kind kind);
};

}  // namespace ostrellix::addin

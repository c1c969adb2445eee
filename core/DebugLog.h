#pragma once

#include <string>
#include <string_view>

namespace ostrellix::addin {

// A class's debug lines: its prefix ("Synchronizer - ") and the text,
// through Tools::WriteLog. Each class keeps one as a static member.
class DebugLog {
public:
    explicit constexpr DebugLog(std::string_view prefix) : prefix_(prefix) {}
    void operator()(std::string_view text) const;

private:
    std::string_view prefix_;
};

}  // namespace ostrellix::addin

#pragma once

#include <cstdint>
#include <set>

namespace ostrellix::standin::kelo {

// The keys the user holds down, by virtual key code (17 Control).
class Keyboard {
public:
    void Hold(std::int32_t keyCode) { held_.insert(keyCode); }
    void Release(std::int32_t keyCode) { held_.erase(keyCode); }
    bool IsDown(std::int32_t keyCode) const { return held_.contains(keyCode); }

private:
    std::set<std::int32_t> held_;
};

}  // namespace ostrellix::standin::kelo

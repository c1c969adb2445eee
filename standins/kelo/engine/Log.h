#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "contracts/kelo/ILog.h"
#include "runtime/Date.h"

namespace ostrellix::standin::kelo {

class Engine;

// The client's log, kept in the database (table kelo_log) with the time of
// each entry.
class Log final : public ostrellix::kelo::ILog {
public:
    struct Entry {
        Date time;
        std::int32_t type = 0;
        std::string source;
        std::string location;
        std::string code;
        std::string message;
    };

    explicit Log(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

    void Add(std::int32_t type, std::string_view source, std::string_view location, std::string_view code,
             std::string_view message) override;
    // The entries in the order written; the last `count` of them when given.
    std::vector<Entry> Entries(std::size_t count = 0);

private:
    std::shared_ptr<Engine> engine_;
};

}  // namespace ostrellix::standin::kelo

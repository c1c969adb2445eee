#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ostrellix::standin::kelo {

class Engine;

// The client's usage recorder: the tag texts that add-ins hand over
// ("new_task;outlook_action;outlook"), kept in the database (kelo_usage).
class UsageRecorder {
public:
    explicit UsageRecorder(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

    void Record(std::string_view tags);
    std::vector<std::string> Recorded();

private:
    std::shared_ptr<Engine> engine_;
};

}  // namespace ostrellix::standin::kelo

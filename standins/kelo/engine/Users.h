#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "standins/kelo/engine/User.h"

namespace ostrellix::standin::kelo {

// The users of the database, looked up by name without regard to case.
class Users {
public:
    explicit Users(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

    // Adds a user (one transaction); `coworker` is the id of its coworker record.
    Ptr<User> Add(std::string_view name, std::optional<std::int32_t> coworker);
    Ptr<User> Find(std::string_view name);
    std::vector<Ptr<User>> All();

private:
    std::shared_ptr<Engine> engine_;
};

}  // namespace ostrellix::standin::kelo

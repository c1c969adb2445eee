#pragma once

#include <memory>
#include <optional>
#include <string>

#include "contracts/kelo/IUser.h"

namespace ostrellix::standin::kelo {

class Engine;

// A user of the client (table kelo_user) and the coworker record that
// stands for the user: a record of the class labelled coworker (6).
class User final : public ostrellix::kelo::IUser {
public:
    User(std::shared_ptr<Engine> engine, std::int32_t id, std::string name, std::optional<std::int32_t> coworker);

    std::int32_t ID() override { return id_; }
    std::string Name() override { return name_; }
    Ptr<ostrellix::kelo::IRecord> Record() override;

private:
    std::shared_ptr<Engine> engine_;
    std::int32_t id_;
    std::string name_;
    std::optional<std::int32_t> coworker_;
};

}  // namespace ostrellix::standin::kelo

#pragma once

#include <memory>

#include "contracts/kelo/IListItem.h"
#include "standins/kelo/engine/Class.h"

namespace ostrellix::standin::kelo {

class Engine;

// One entry of a list window: a record id of the list's class; the record
// is read when first asked for.
class ListItem final : public ostrellix::kelo::IListItem {
public:
    ListItem(std::shared_ptr<Engine> engine, Ptr<kelo::Class> cls, std::int32_t id)
        : engine_(std::move(engine)), class_(std::move(cls)), id_(id) {}

    std::int32_t ID() override { return id_; }
    Ptr<ostrellix::kelo::IRecord> Record() override;

private:
    std::shared_ptr<Engine> engine_;
    Ptr<kelo::Class> class_;
    std::int32_t id_;
    Ptr<ostrellix::kelo::IRecord> record_;
};

}  // namespace ostrellix::standin::kelo

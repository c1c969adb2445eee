#include "standins/kelo/engine/User.h"

#include "contracts/kelo/Codes.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Schema.h"

namespace ostrellix::standin::kelo {

User::User(std::shared_ptr<Engine> engine, std::int32_t id, std::string name, std::optional<std::int32_t> coworker)
    : engine_(std::move(engine)), id_(id), name_(std::move(name)), coworker_(coworker) {}

Ptr<ostrellix::kelo::IRecord> User::Record() {
    const Ptr<Class> coworkers = engine_->Metadata().FindByLabel(ostrellix::kelo::classlabel::Coworker);
    if (!coworker_ || !coworkers) return nullptr;
    auto record = std::make_shared<kelo::Record>(engine_);
    record->Load(coworkers, *coworker_);
    return record;
}

}  // namespace ostrellix::standin::kelo

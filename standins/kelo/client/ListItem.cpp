#include "standins/kelo/client/ListItem.h"

#include "standins/kelo/engine/Record.h"

namespace ostrellix::standin::kelo {

Ptr<ostrellix::kelo::IRecord> ListItem::Record() {
    if (!record_) {
        auto record = std::make_shared<kelo::Record>(engine_);
        record->Load(class_, id_);
        record_ = record;
    }
    return record_;
}

}  // namespace ostrellix::standin::kelo

#pragma once

#include <memory>

#include "contracts/kelo/IQuery.h"

namespace ostrellix::standin::kelo {

class Engine;

// "QVR.Query": the records of a class that meet a filter, as XML:
//   <records class="person" count="2">
//     <person idperson="12" descriptive="Anna Berg" timestamp="2024-05-01 10:00:00"/>
//   </records>
// one element per record in id order, named after the class, with one
// attribute per requested field named as requested, holding the field's
// display text (ids of relations, "" for no value). No filter: every record.
class Query final : public ostrellix::kelo::IQuery {
public:
    explicit Query(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

    std::string Run(const Ptr<ostrellix::kelo::IClass>& cls, const Ptr<ostrellix::kelo::IFilter>& filter,
                    const std::vector<std::string>& fields) override;

private:
    std::shared_ptr<Engine> engine_;
};

}  // namespace ostrellix::standin::kelo

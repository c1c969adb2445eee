#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IFields.h"

namespace ostrellix::kelo {

// A record class of the data engine (company, person, to-do ...). The label
// says what it stands for (Codes.h classlabel).
class IClass : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::string LocalName() = 0;
    virtual std::string LocalNamePlural() = 0;
    virtual std::int32_t Label() = 0;
    virtual Ptr<IFields> Fields() = 0;
};

}  // namespace ostrellix::kelo

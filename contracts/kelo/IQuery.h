#pragma once

#include <string>
#include <vector>

#include "contracts/kelo/IFilter.h"

namespace ostrellix::kelo {

class IClass;

// A query ("QVR.Query") answering with an XML document: a root element
// whose children are the matching records, each with the requested fields
// as attributes; "id" + class name holds the id (idperson), "descriptive"
// the descriptive text, "timestamp" the time stamp in the Date text form.
class IQuery : public virtual Object {
public:
    virtual std::string Run(const Ptr<IClass>& cls, const Ptr<IFilter>& filter,
                            const std::vector<std::string>& fields) = 0;
};

}  // namespace ostrellix::kelo

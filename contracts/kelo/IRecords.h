#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IRecord.h"

namespace ostrellix::kelo {

class IExplorer;

// An ordered set of records ("QVR.Records"). Open reads a class's records
// by filter or by pool; `fields` (names or relation paths) say which values
// to read with them (all when empty); maxRows 0 means no limit.
class IRecords : public virtual Object {
public:
    virtual void Open(const Ptr<IClass>& cls, const Ptr<IFilter>& filter,
                      const std::vector<std::string>& fields = {}, std::int32_t maxRows = 0) = 0;
    virtual void OpenPool(const Ptr<IClass>& cls, const Ptr<IPool>& pool,
                          const std::vector<std::string>& fields = {}, std::int32_t maxRows = 0) = 0;
    // The records selected in a list window, in selection order.
    virtual void LoadFromSelection(const Ptr<IExplorer>& explorer, const std::vector<std::string>& fields = {}) = 0;
    virtual void Add(const Ptr<IRecord>& record) = 0;

    virtual std::int32_t Count() = 0;
    virtual Ptr<IRecord> Item(std::int32_t index) = 0;  // 1-based; raises 9 out of range
};

}  // namespace ostrellix::kelo

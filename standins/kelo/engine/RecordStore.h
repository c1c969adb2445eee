#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/RecordRow.h"

namespace ostrellix::standin::kelo {

class Engine;

// The SQL of records: every read of a set of records is one statement,
// whatever its size (a pool of ids travels as one JSON parameter), and
// relation paths asked for are read in the same statement.
class RecordStore {
public:
    using Values = std::vector<std::pair<Ptr<Field>, SqlValue>>;

    explicit RecordStore(Engine& engine) : engine_(engine) {}

    // The records of `cls` that meet `where`, with the relation paths named
    // in `fields` (names of the class's own fields need nothing: every
    // field is read), in id order, or in the order of `poolJson` (a JSON
    // array of ids that also limits the rows), at most maxRows (0: all).
    std::vector<RecordRow> Select(const Ptr<Class>& cls, const SqlCondition& where,
                                  const std::vector<std::string>& fields, std::int32_t maxRows,
                                  const std::string* poolJson = nullptr);
    std::optional<RecordRow> Read(const Ptr<Class>& cls, std::int32_t id);
    bool Exists(const Class& cls, std::int32_t id);
    // Whether the stored record still holds every one of `values` (compared
    // as Update compares what it keeps).
    bool Holds(const Class& cls, std::int32_t id, const Values& values);

    // Call inside Engine::Transact.
    std::int32_t Insert(const Class& cls, const Values& values, Date timestamp);
    // `kept` are fields the caller set to the values it read: they are left
    // alone (each column written rewrites its index entries) unless another
    // writer changed them meanwhile, when they are written as well.
    void Update(const Class& cls, std::int32_t id, const Values& values, const Values& kept, Date timestamp);
    // Removes the record and its documents; relations that pointed to it
    // are emptied (and those records' time stamps advance).
    void Delete(const Class& cls, std::int32_t id);

private:
    Engine& engine_;
};

}  // namespace ostrellix::standin::kelo

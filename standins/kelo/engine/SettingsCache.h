#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace ostrellix::standin::kelo {

// Settings values read lately on one connection, so that a setting read
// again and again (an option asked for at every change an Outlook folder
// reports) is not a statement each time.
//
// A database is this process's alone while it is open (BatchedLogVfs), so
// its settings change only through the engines of this process. Each such
// change, and the end of each transaction that made one (committed or
// rolled back), moves on a generation counted for the whole process; a
// cache filled in an earlier generation is emptied before it answers. So a
// reader never gets a value that another connection changed since, nor
// one that a rollback took back.
class SettingsCache {
public:
    // What is stored under `name` in collection `node` (nothing: no such
    // setting), when read lately; null when not.
    const std::optional<Variant>* Find(std::int64_t node, std::string_view name);
    void Add(std::int64_t node, std::string_view name, std::optional<Variant> stored);

    // The settings change in the current transaction (call before the write).
    void Changing();
    // The transaction ended, or its innermost savepoint was rolled back.
    void Ended(bool outermost);

private:
    void Refresh();

    // By collection, then by name.
    std::map<std::int64_t, std::map<std::string, std::optional<Variant>, std::less<>>> values_;
    std::uint64_t generation_ = 0;
    bool changing_ = false;
};

}  // namespace ostrellix::standin::kelo

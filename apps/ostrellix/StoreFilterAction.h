#pragma once

#include <string>
#include <vector>

#include "apps/ostrellix/ActionGroup.h"

namespace ostrellix::host {

// `ostrellix kelo store-filter`: a filter of a class made in the client's
// filter editor and stored under a name ("save filter as"), replacing one
// stored under that name before. The add-in offers a class's stored filters
// where a mailing's filter is chosen (`kelo mailing-compose
// --filter-stored NAME`).
class StoreFilterAction {
public:
    explicit StoreFilterAction(ActionGroup& group);
    StoreFilterAction(const StoreFilterAction&) = delete;
    StoreFilterAction& operator=(const StoreFilterAction&) = delete;

private:
    int Run(Host& host, ActionOutput& output);

    std::string className_, name_;
    std::vector<std::string> conditions_;
};

}  // namespace ostrellix::host

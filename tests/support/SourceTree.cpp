#include "tests/support/SourceTree.h"

#include <cstdlib>

namespace ostrellix::testing {

std::filesystem::path SourceTree() {
    const char* overridden = std::getenv("OSTRELLIX_SOURCE_DIR");
    return overridden && *overridden ? std::filesystem::path(overridden)
                                     : std::filesystem::path(OSTRELLIX_SOURCE_TREE);
}

}  // namespace ostrellix::testing

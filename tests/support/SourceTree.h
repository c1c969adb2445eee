#pragma once

#include <filesystem>

namespace ostrellix::testing {

// The project's source tree, where the translation bundles and the sample
// files live. The build compiles its path in, so a test program finds them
// however it is started; OSTRELLIX_SOURCE_DIR in the environment overrides
// it for a test run against another checkout.
std::filesystem::path SourceTree();

}  // namespace ostrellix::testing

#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace ostrellix::testing {

// The file's bytes as they are on disk; empty when it cannot be read.
inline std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace ostrellix::testing

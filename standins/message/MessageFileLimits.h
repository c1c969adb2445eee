#pragma once

#include <cstddef>
#include <cstdint>

namespace ostrellix::standin::message {

// Bounds on what a reader accepts from one file, so that a hostile file
// cannot make it allocate without end or recurse without end. The defaults
// are far above anything a mail program writes.
struct MessageFileLimits {
    std::uint64_t maxFileBytes = 512ull << 20;
    // One stream, and all streams of a file together: compound files can let
    // many streams share the same sectors, so the sum needs a bound of its own.
    std::uint64_t maxStreamBytes = 256ull << 20;
    std::uint64_t maxTotalBytes = 1ull << 30;
    int maxEmbeddingDepth = 16;
    std::size_t maxRecipients = 4096;
    std::size_t maxAttachments = 4096;
    std::size_t maxPropertiesPerObject = 16384;
    std::size_t maxValuesPerProperty = 65536;
    std::uint64_t maxRtfBytes = 64ull << 20;
};

}  // namespace ostrellix::standin::message

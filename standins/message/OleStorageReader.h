#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "standins/message/MessageFileLimits.h"

namespace ostrellix::standin::message {

// One storage of a compound file, opened read-only with libgsf. Streams are
// read whole, each against the limits, and the bytes read from the whole file
// are counted against its total; any breach or a damaged file throws
// FormatError.
class OleStorageReader {
public:
    // The root storage of a compound file held in memory (the bytes must
    // outlive the reader and every storage opened from it).
    static OleStorageReader Open(std::span<const std::uint8_t> file, const MessageFileLimits& limits);

    OleStorageReader(OleStorageReader&&) noexcept;
    OleStorageReader& operator=(OleStorageReader&&) noexcept;
    ~OleStorageReader();

    struct Entry {
        std::string name;
        bool isStorage;
    };
    std::vector<Entry> Children() const;

    // Nothing when there is no child storage of that name.
    std::optional<OleStorageReader> Storage(const std::string& name) const;
    // Nothing when there is no stream of that name.
    std::optional<std::vector<std::uint8_t>> Stream(const std::string& name) const;

private:
    struct State;
    explicit OleStorageReader(std::shared_ptr<State> state, void* infile);

    std::shared_ptr<State> state_;
    void* infile_ = nullptr;  // GsfInfile*, one reference owned
};

}  // namespace ostrellix::standin::message

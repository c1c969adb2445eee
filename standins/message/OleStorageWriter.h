#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "runtime/Guid.h"

namespace ostrellix::standin::message {

// Builds a compound file in memory with libgsf: storages and streams are
// added depth first, each storage closed before its parent, then Finish
// gives the bytes of the file.
class OleStorageWriter {
public:
    OleStorageWriter();  // the root storage of a new file
    OleStorageWriter(OleStorageWriter&&) noexcept;
    OleStorageWriter& operator=(OleStorageWriter&&) = delete;
    ~OleStorageWriter();

    void SetClassId(const Guid& clsid);
    OleStorageWriter AddStorage(const std::string& name);
    void AddStream(const std::string& name, std::span<const std::uint8_t> bytes);
    void Close();  // a child storage; the root is closed by Finish
    std::vector<std::uint8_t> Finish();

private:
    struct Sink;
    OleStorageWriter(std::shared_ptr<Sink> sink, void* outfile);

    std::shared_ptr<Sink> sink_;
    void* outfile_ = nullptr;  // GsfOutfile*, one reference owned
};

}  // namespace ostrellix::standin::message

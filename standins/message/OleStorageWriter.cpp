#include "standins/message/OleStorageWriter.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <mutex>
#include <utility>

#include "runtime/ComError.h"
#include "standins/message/GObjectPtr.h"
#include "standins/message/WireFormats.h"

namespace ostrellix::standin::message {

struct OleStorageWriter::Sink {
    GObjectPtr<GsfOutput> memory;
};

namespace {

GsfOutfile* AsOutfile(void* p) { return static_cast<GsfOutfile*>(p); }

[[noreturn]] void Fail(const std::string& what) {
    throw ComError(errors::Unexpected, "OleStorageWriter", "The compound file cannot be built: " + what);
}

void CloseOutput(GsfOutput* output, const std::string& what) {
    if (!gsf_output_is_closed(output) && !gsf_output_close(output)) Fail(what);
}

}  // namespace

OleStorageWriter::OleStorageWriter() {
    static std::once_flag initialised;
    std::call_once(initialised, [] { gsf_init(); });
    sink_ = std::make_shared<Sink>();
    sink_->memory.reset(gsf_output_memory_new());
    // 512-byte sectors, 64-byte mini sectors: the layout every reader knows.
    outfile_ = gsf_outfile_msole_new_full(sink_->memory.get(), 512, 64);
    if (!outfile_) Fail("no root storage");
}

OleStorageWriter::OleStorageWriter(std::shared_ptr<Sink> sink, void* outfile)
    : sink_(std::move(sink)), outfile_(outfile) {}

OleStorageWriter::OleStorageWriter(OleStorageWriter&& other) noexcept
    : sink_(std::move(other.sink_)), outfile_(std::exchange(other.outfile_, nullptr)) {}

OleStorageWriter::~OleStorageWriter() {
    if (outfile_) g_object_unref(outfile_);
}

void OleStorageWriter::SetClassId(const Guid& clsid) {
    const auto bytes = wire::GuidToBytes(clsid);
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(outfile_), bytes.data());
}

OleStorageWriter OleStorageWriter::AddStorage(const std::string& name) {
    GsfOutput* child = gsf_outfile_new_child(AsOutfile(outfile_), name.c_str(), TRUE);
    if (!child) Fail("no storage " + name);
    return OleStorageWriter(sink_, child);
}

void OleStorageWriter::AddStream(const std::string& name, std::span<const std::uint8_t> bytes) {
    GObjectPtr<GsfOutput> child(gsf_outfile_new_child(AsOutfile(outfile_), name.c_str(), FALSE));
    if (!child) Fail("no stream " + name);
    if (!bytes.empty() && !gsf_output_write(child.get(), bytes.size(), bytes.data())) Fail("stream " + name);
    CloseOutput(child.get(), "stream " + name);
}

void OleStorageWriter::Close() { CloseOutput(GSF_OUTPUT(outfile_), "a storage"); }

std::vector<std::uint8_t> OleStorageWriter::Finish() {
    CloseOutput(GSF_OUTPUT(outfile_), "the root storage");
    CloseOutput(sink_->memory.get(), "the file");
    auto* memory = GSF_OUTPUT_MEMORY(sink_->memory.get());
    const guint8* data = gsf_output_memory_get_bytes(memory);
    const auto size = static_cast<std::size_t>(gsf_output_size(sink_->memory.get()));
    return std::vector<std::uint8_t>(data, data + size);
}

}  // namespace ostrellix::standin::message

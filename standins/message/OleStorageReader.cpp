#include "standins/message/OleStorageReader.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "standins/message/FormatError.h"
#include "standins/message/GObjectPtr.h"

namespace ostrellix::standin::message {

struct OleStorageReader::State {
    GObjectPtr<GsfInput> source;
    MessageFileLimits limits;
    std::uint64_t budget = 0;  // bytes that the streams of this file may still give

};

namespace {

GsfInfile* AsInfile(void* p) { return static_cast<GsfInfile*>(p); }

}  // namespace

OleStorageReader::OleStorageReader(std::shared_ptr<State> state, void* infile)
    : state_(std::move(state)), infile_(infile) {}

OleStorageReader::OleStorageReader(OleStorageReader&& other) noexcept
    : state_(std::move(other.state_)), infile_(std::exchange(other.infile_, nullptr)) {}

OleStorageReader& OleStorageReader::operator=(OleStorageReader&& other) noexcept {
    if (this != &other) {
        if (infile_) g_object_unref(infile_);
        state_ = std::move(other.state_);
        infile_ = std::exchange(other.infile_, nullptr);
    }
    return *this;
}

OleStorageReader::~OleStorageReader() {
    if (infile_) g_object_unref(infile_);
}

OleStorageReader OleStorageReader::Open(std::span<const std::uint8_t> file, const MessageFileLimits& limits) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { gsf_init(); });
    if (file.size() > limits.maxFileBytes) throw FormatError("the file is larger than the limit");
    auto state = std::make_shared<State>();
    state->limits = limits;
    // A genuine file reads each stream once, so its streams add up to about
    // its own size; shared sectors could make them add up to far more.
    state->budget = std::min<std::uint64_t>(limits.maxTotalBytes, std::max<std::uint64_t>(64ull << 20, 16 * file.size()));
    state->source.reset(gsf_input_memory_new(file.data(), static_cast<gsf_off_t>(file.size()), FALSE));
    if (!state->source) throw FormatError("the file cannot be opened");
    GError* error = nullptr;
    GsfInfile* root = gsf_infile_msole_new(state->source.get(), &error);
    if (!root) {
        std::string why = error && error->message ? error->message : "unknown fault";
        if (error) g_error_free(error);
        throw FormatError("it is not a compound file (" + why + ")");
    }
    return OleStorageReader(std::move(state), root);
}

std::vector<OleStorageReader::Entry> OleStorageReader::Children() const {
    std::vector<Entry> entries;
    const int count = gsf_infile_num_children(AsInfile(infile_));
    for (int i = 0; i < count; ++i) {
        const char* name = gsf_infile_name_by_index(AsInfile(infile_), i);
        if (!name) continue;
        GObjectPtr<GsfInput> child(gsf_infile_child_by_index(AsInfile(infile_), i));
        if (!child) continue;
        const bool isStorage = GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0;
        entries.push_back({name, isStorage});
    }
    return entries;
}

std::optional<OleStorageReader> OleStorageReader::Storage(const std::string& name) const {
    GsfInput* child = gsf_infile_child_by_name(AsInfile(infile_), name.c_str());
    if (!child) return std::nullopt;
    if (!GSF_IS_INFILE(child) || gsf_infile_num_children(GSF_INFILE(child)) < 0) {
        g_object_unref(child);
        return std::nullopt;
    }
    return OleStorageReader(state_, child);
}

std::optional<std::vector<std::uint8_t>> OleStorageReader::Stream(const std::string& name) const {
    GObjectPtr<GsfInput> child(gsf_infile_child_by_name(AsInfile(infile_), name.c_str()));
    if (!child) return std::nullopt;
    if (GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0) return std::nullopt;
    const gsf_off_t size = gsf_input_size(child.get());
    if (size < 0) throw FormatError("the stream " + name + " has a negative size");
    const auto bytes = static_cast<std::uint64_t>(size);
    if (bytes > state_->limits.maxStreamBytes) throw FormatError("the stream " + name + " is larger than the limit");
    if (bytes > state_->budget) throw FormatError("its streams add up to more than the limit");
    state_->budget -= bytes;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(bytes));
    if (!data.empty() && !gsf_input_read(child.get(), data.size(), data.data())) {
        throw FormatError("the stream " + name + " cannot be read");
    }
    return data;
}

}  // namespace ostrellix::standin::message

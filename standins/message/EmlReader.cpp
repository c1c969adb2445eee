#include "standins/message/EmlReader.h"

#include <gmime/gmime.h>

#include <mutex>

#include "standins/message/FileIo.h"
#include "standins/message/FormatError.h"
#include "standins/message/GLibLogRoute.h"
#include "standins/message/GObjectPtr.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/MimeMessageConverter.h"

namespace ostrellix::standin::message {

namespace {

constexpr const char* kSource = "EmlReader";

bool HasFields(GMimeObject* object) {
    GMimeHeaderList* headers = object ? g_mime_object_get_header_list(object) : nullptr;
    return headers && g_mime_header_list_get_count(headers) > 0;
}

}  // namespace

MessageData EmlReader::ReadFile(const std::filesystem::path& path) const {
    const auto bytes = FileIo::ReadAll(path, limits_.maxFileBytes, kSource);
    return Read(bytes, path.string());
}

MessageData EmlReader::Read(std::span<const std::uint8_t> bytes, std::string_view fileName) const {
    static std::once_flag initialised;
    std::call_once(initialised, [] { g_mime_init(); });
    const GLibLogRoute route(host_.debugOutput, kSource);
    try {
        if (bytes.size() > limits_.maxFileBytes) throw FormatError("the file is larger than the limit");
        if (bytes.empty()) throw FormatError("the file is empty");
        GObjectPtr<GMimeStream> stream(
            g_mime_stream_mem_new_with_buffer(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
        // gmime gives nothing, rather than failing, for input it cannot take as a message.
        GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
        if (!message) throw FormatError("it is not an Internet mail message");
        // gmime keeps the MIME fields (Content-Type ...) with the message's body part, not with the message.
        if (!HasFields(GMIME_OBJECT(message.get())) && !HasFields(g_mime_message_get_mime_part(message.get()))) {
            throw FormatError("it is not an Internet mail message (it has no header)");
        }
        return MimeMessageConverter(limits_).Convert(message.get(), 0);
    } catch (const FormatError& error) {
        RaiseFileError(file_error::Corrupt, kSource, fileName, "import the mail message", error.what());
    }
}

}  // namespace ostrellix::standin::message

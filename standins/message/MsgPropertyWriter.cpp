#include "standins/message/MsgPropertyWriter.h"

#include <bit>
#include <map>

#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "standins/message/CodePage.h"
#include "standins/message/LittleEndianWriter.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/MsgLayout.h"
#include "standins/message/NamedPropertyMap.h"
#include "standins/message/OleStorageWriter.h"
#include "standins/message/WireFormats.h"

namespace ostrellix::standin::message {

namespace {

constexpr std::uint32_t kReadableWritable = 0x00000006;
constexpr std::uint32_t kObjectSize = 0xFFFFFFFF;

std::uint64_t EncodeFixed(std::uint16_t type, const Variant& value) {
    switch (type) {
        case pt::Short: return static_cast<std::uint16_t>(value.ToInteger());
        case pt::Long: return static_cast<std::uint32_t>(value.ToLong());
        case pt::Double: return std::bit_cast<std::uint64_t>(value.ToDouble());
        case pt::Boolean: return value.ToBoolean() ? 1 : 0;
        case pt::SysTime: return wire::FileTimeFromDate(value.ToDate());
        default: break;
    }
    const Bytes& raw = value.ToBytes();
    if (raw.size() > 8) Raise(errors::TypeMismatch, "MsgPropertyWriter", "more than 8 bytes for a fixed-size type");
    std::uint64_t result = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) result |= std::uint64_t{raw[i]} << (8 * i);
    return result;
}

// An object's streams and entries, built up before they go to the storage.
class ObjectBuilder {
public:
    ObjectBuilder(const std::string& charset) : charset_(charset) {}

    void Add(std::uint32_t tag, const Variant& value) {
        const std::uint16_t type = TagType(tag);
        const auto baseType = static_cast<std::uint16_t>(type & ~pt::MultiValued);
        if (type & pt::MultiValued) {
            AddArray(tag, baseType, value);
        } else if (msg::IsFixedSize(type)) {
            Entry(tag, EncodeFixed(type, value));
        } else if (type == pt::Unicode) {
            auto bytes = wire::Utf8ToUtf16Le(value.ToString());
            Entry(tag, bytes.size() + 2);
            streams_[msg::StreamName(tag)] = std::move(bytes);
        } else if (type == pt::String8) {
            const std::string text = value.ToString();
            auto bytes = CodePage::FromUtf8(text, charset_);
            // Text the code page cannot hold is written in Unicode rather than lost.
            if (!bytes) return Add(MakeTag(TagId(tag), pt::Unicode), Variant(text));
            Entry(tag, bytes->size() + 1);
            streams_[msg::StreamName(tag)] = std::move(*bytes);
        } else {
            const Bytes& bytes = value.ToBytes();
            Entry(tag, bytes.size());
            streams_[msg::StreamName(tag)] = bytes;
        }
    }

    void AddEmbeddedObject() { Entry(MakeTag(0x3701, pt::Object), kObjectSize); }

    void Write(OleStorageWriter& storage, const MsgPropertyWriter::Header& header) {
        LittleEndianWriter stream;
        stream.Zeros(8);
        if (header.size >= msg::kEmbeddedHeader) {
            stream.U32(header.recipients);  // next recipient id
            stream.U32(header.attachments); // next attachment id
            stream.U32(header.recipients);
            stream.U32(header.attachments);
        }
        if (header.size == msg::kTopHeader) stream.Zeros(8);
        for (const auto& [tag, value] : entries_) {
            stream.U32(tag);
            stream.U32(kReadableWritable);
            stream.U64(value);
        }
        storage.AddStream(msg::kPropertyStream, stream.Bytes());
        for (const auto& [name, bytes] : streams_) storage.AddStream(name, bytes);
    }

private:
    void Entry(std::uint32_t tag, std::uint64_t value) { entries_[tag] = value; }

    void AddArray(std::uint32_t tag, std::uint16_t baseType, const Variant& value) {
        if (!value.IsArray()) {
            // A fixed-size array kept as the raw bytes of its stream.
            const Bytes& raw = value.ToBytes();
            Entry(tag, raw.size());
            streams_[msg::StreamName(tag)] = raw;
            return;
        }
        const VariantArray& values = value.ToArray();
        if (baseType == pt::String8) {
            for (const Variant& element : values) {
                if (!CodePage::FromUtf8(element.ToString(), charset_)) {
                    return AddArray(MakeTag(TagId(tag), pt::MultiValued | pt::Unicode), pt::Unicode, value);
                }
            }
        }
        LittleEndianWriter main;
        if (msg::IsFixedArray(baseType)) {
            const std::size_t width = msg::FixedElementWidth(baseType);
            for (const Variant& element : values) {
                const std::uint64_t raw = EncodeFixed(baseType, element);
                for (std::size_t i = 0; i < width && i < 8; ++i) main.U8(static_cast<std::uint8_t>(raw >> (8 * i)));
            }
        } else {
            for (std::size_t i = 0; i < values.size(); ++i) {
                std::vector<std::uint8_t> element;
                if (baseType == pt::Unicode) {
                    element = wire::Utf8ToUtf16Le(values[i].ToString());
                    element.push_back(0);
                    element.push_back(0);
                } else if (baseType == pt::String8) {
                    const std::string text = values[i].ToString();
                    element = CodePage::FromUtf8(text, charset_).value_or(std::vector<std::uint8_t>{});
                    element.push_back(0);
                } else {
                    element = values[i].ToBytes();
                }
                main.U32(static_cast<std::uint32_t>(element.size()));
                if (baseType != pt::Unicode && baseType != pt::String8) main.U32(0);
                streams_[msg::StreamName(tag, i)] = std::move(element);
            }
        }
        Entry(tag, main.Size());
        streams_[msg::StreamName(tag)] = main.Take();
    }

    const std::string& charset_;
    std::map<std::uint32_t, std::uint64_t> entries_;
    std::map<std::string, std::vector<std::uint8_t>> streams_;
};

}  // namespace

void MsgPropertyWriter::Write(OleStorageWriter& storage, const PropertyBag& properties, const Header& header,
                              const std::string& charset,
                              const PropertyBag& extra, bool embeddedObject,
                              const std::string& what) {
    ObjectBuilder builder(charset);
    std::uint32_t current = 0;
    try {
        for (const auto& [id, value] : properties.Tagged()) {
            current = MakeTag(id, value.type);
            if (id >= kFirstNamedId) {
                Raise(file_error::InvalidValue, "MsgPropertyWriter",
                      "the id is in the range of named properties but the property has no name");
            }
            // An embedded message takes the place of the attachment's data.
            if (value.type == pt::Object || (embeddedObject && id == TagId(tag::PR_ATTACH_DATA_BIN))) continue;
            builder.Add(current, value.value);
        }
        for (const auto& [name, value] : properties.Named()) {
            current = MakeTag(names_.IdOf(name), value.type);
            if (value.type == pt::Object) continue;
            builder.Add(current, value.value);
        }
        for (const auto& [id, value] : extra.Tagged()) {
            current = MakeTag(id, value.type);
            builder.Add(current, value.value);
        }
    } catch (const ComError& error) {
        throw ComError(error.Number() == file_error::TooBig ? error.Number() : file_error::InvalidValue,
                       "MsgWriter", "The property " + TagText(current) + " of " + what +
                                        " cannot be written: " + error.Description());
    }
    if (embeddedObject) builder.AddEmbeddedObject();
    builder.Write(storage, header);
}

}  // namespace ostrellix::standin::message

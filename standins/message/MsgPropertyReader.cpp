#include "standins/message/MsgPropertyReader.h"

#include <bit>
#include <map>
#include <optional>
#include <vector>

#include "standins/message/AnsiCodePage.h"
#include "standins/message/CodePage.h"
#include "standins/message/FormatError.h"
#include "standins/message/LittleEndianReader.h"
#include "standins/message/MsgLayout.h"
#include "standins/message/NamedPropertyMap.h"
#include "standins/message/OleStorageReader.h"
#include "standins/message/WireFormats.h"

namespace ostrellix::standin::message {

namespace {

struct Entry {
    std::uint32_t tag;
    std::uint64_t value;  // the 8 value bytes of the entry
};

std::int32_t Signed(std::uint32_t value) { return std::bit_cast<std::int32_t>(value); }

// The object's streams by upper-case name: some writers use lower-case hex.
class Streams {
public:
    explicit Streams(const OleStorageReader& storage) : storage_(storage) {
        for (const auto& entry : storage.Children()) {
            if (!entry.isStorage) byUpperName_.emplace(Upper(entry.name), entry.name);
        }
    }

    std::vector<std::uint8_t> Get(const std::string& name) const {
        const auto found = byUpperName_.find(Upper(name));
        if (found == byUpperName_.end()) return {};
        return storage_.Stream(found->second).value_or(std::vector<std::uint8_t>{});
    }

private:
    static std::string Upper(std::string s) {
        for (char& c : s) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        return s;
    }

    const OleStorageReader& storage_;
    std::map<std::string, std::string> byUpperName_;
};

std::string StripNuls(std::string text) {
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::optional<std::uint32_t> CodePageEntry(const std::vector<Entry>& entries, std::uint32_t tag) {
    for (const Entry& entry : entries) {
        if (entry.tag == tag) return static_cast<std::uint32_t>(entry.value);
    }
    return std::nullopt;
}

Variant DecodeFixed(std::uint16_t type, std::uint64_t raw) {
    switch (type) {
        case pt::Short: return Variant(static_cast<std::int16_t>(raw & 0xFFFF));
        case pt::Long: return Variant(static_cast<int>(Signed(static_cast<std::uint32_t>(raw))));
        case pt::Double: return Variant(std::bit_cast<double>(raw));
        case pt::Boolean: return Variant((raw & 0xFF) != 0);
        case pt::SysTime: return Variant(wire::DateFromFileTime(raw));
        default: break;
    }
    Bytes bytes(8);
    for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(raw >> (8 * i));
    return Variant(std::move(bytes));
}

// Values of a fixed-size multi-valued property, all in one stream.
Variant DecodeFixedArray(std::uint16_t elementType, const std::vector<std::uint8_t>& stream, std::size_t maxValues) {
    const std::size_t width = msg::FixedElementWidth(elementType);
    if (elementType != pt::Short && elementType != pt::Long && elementType != pt::Double &&
        elementType != pt::SysTime) {
        return Variant(Bytes(stream));
    }
    if (stream.size() / width > maxValues) throw FormatError("a multi-valued property has more values than the limit");
    VariantArray values;
    LittleEndianReader in(stream, "a multi-valued property");
    while (in.Remaining() >= width) {
        std::uint64_t raw = 0;
        for (std::size_t i = 0; i < width; ++i) raw |= std::uint64_t{in.U8()} << (8 * i);
        values.push_back(DecodeFixed(elementType, raw));
    }
    return Variant(std::move(values));
}

}  // namespace

Variant MsgPropertyReader::DecodeString(std::uint16_t type, std::span<const std::uint8_t> bytes,
                                        std::uint32_t codePage, std::uint32_t tag, const std::string& what) const {
    if (type == pt::Unicode) return StripNuls(wire::Utf16LeToUtf8(bytes));
    CodePage::Decoded decoded = CodePage::Decode(bytes, CodePage::CharsetOf(codePage));
    if (decoded.replaced && host_.debugOutput) {
        host_.debugOutput->OutputDebugString("MsgReader - '" + std::string(fileName_) + "': the property " +
                                             TagText(tag) + " of " + what + " does not decode in code page " +
                                             std::to_string(codePage) + "; its undecodable bytes read as U+FFFD\r\n");
    }
    return StripNuls(std::move(decoded.text));
}

MsgPropertyReader::Result MsgPropertyReader::Read(const OleStorageReader& storage, std::size_t headerSize,
                                                  std::uint32_t codePage, const std::string& what) const {
    const auto stream = storage.Stream(msg::kPropertyStream);
    if (!stream) throw FormatError(what + " has no property stream");
    if (stream->size() < headerSize) throw FormatError("the property stream of " + what + " is cut short");
    const std::size_t count = (stream->size() - headerSize) / 16;
    if (count > limits_.maxPropertiesPerObject) throw FormatError(what + " has more properties than the limit");

    LittleEndianReader in(*stream, "the property stream of " + what);
    in.Skip(headerSize);
    std::vector<Entry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t tag = in.U32();
        in.Skip(4);  // flags
        entries.push_back({tag, in.U64()});
    }

    Result result;
    result.codePage = AnsiCodePage::Of(CodePageEntry(entries, tag::PR_MESSAGE_CODEPAGE),
                                       CodePageEntry(entries, tag::PR_INTERNET_CPID), codePage);

    const Streams streams(storage);
    for (const Entry& entry : entries) {
        const std::uint16_t type = TagType(entry.tag);
        const std::uint16_t baseType = type & static_cast<std::uint16_t>(~pt::MultiValued);
        if (type == pt::Object) continue;  // an embedded message or OLE storage, read by its owner
        Variant value;
        if (type & pt::MultiValued) {
            const auto lengths = streams.Get(msg::StreamName(entry.tag));
            if (msg::IsFixedArray(baseType)) {
                value = DecodeFixedArray(baseType, lengths, limits_.maxValuesPerProperty);
            } else {
                const std::size_t width = baseType == pt::Binary ? 8 : 4;
                const std::size_t n = lengths.size() / width;
                if (n > limits_.maxValuesPerProperty) {
                    throw FormatError("a multi-valued property of " + what + " has more values than the limit");
                }
                VariantArray values;
                for (std::size_t i = 0; i < n; ++i) {
                    const auto element = streams.Get(msg::StreamName(entry.tag, i));
                    if (baseType == pt::String8 || baseType == pt::Unicode) {
                        values.push_back(DecodeString(baseType, element, result.codePage, entry.tag, what));
                    } else {
                        values.push_back(Variant(Bytes(element)));
                    }
                }
                value = Variant(std::move(values));
            }
        } else if (msg::IsFixedSize(type)) {
            value = DecodeFixed(type, entry.value);
        } else {
            const auto bytes = streams.Get(msg::StreamName(entry.tag));
            if (type == pt::String8 || type == pt::Unicode) {
                value = DecodeString(type, bytes, result.codePage, entry.tag, what);
            } else {
                value = Variant(Bytes(bytes));
            }
        }

        const std::uint16_t id = TagId(entry.tag);
        if (id >= kFirstNamedId) {
            // An id that the map does not name means nothing to anyone: dropped.
            if (const auto name = names_.NameOf(id)) result.properties.SetNamed(*name, {type, std::move(value)});
        } else {
            result.properties.Set(id, PropertyValue{type, std::move(value)});
        }
    }
    return result;
}

}  // namespace ostrellix::standin::message

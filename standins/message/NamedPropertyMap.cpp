#include "standins/message/NamedPropertyMap.h"

#include <cstdio>

#include "runtime/ComError.h"
#include "standins/message/FormatError.h"
#include "standins/message/LittleEndianReader.h"
#include "standins/message/LittleEndianWriter.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/OleStorageReader.h"
#include "standins/message/OleStorageWriter.h"
#include "standins/message/PropertySets.h"
#include "standins/message/WireFormats.h"

namespace ostrellix::standin::message {

namespace {

constexpr const char* kStorage = "__nameid_version1.0";
constexpr const char* kGuidStream = "__substg1.0_00020102";
constexpr const char* kEntryStream = "__substg1.0_00030102";
constexpr const char* kStringStream = "__substg1.0_00040102";
// GUID indexes 1 and 2 stand for these two sets; the GUID stream holds the
// others from index 3 on.
constexpr std::uint16_t kMapiIndex = 1;
constexpr std::uint16_t kPublicStringsIndex = 2;
constexpr std::uint16_t kFirstStreamIndex = 3;
constexpr std::size_t kMaxNamedIds = 0x7FFF;

std::string HashStreamName(std::uint32_t key, std::uint16_t indexAndKind) {
    char name[32];
    std::snprintf(name, sizeof name, "__substg1.0_%04X0102", 0x1000u + (key ^ indexAndKind) % 0x1F);
    return name;
}

}  // namespace

NamedPropertyMap NamedPropertyMap::Read(const OleStorageReader& root, std::size_t maxEntries) {
    NamedPropertyMap map;
    const auto storage = root.Storage(kStorage);
    if (!storage) return map;
    const auto guidBytes = storage->Stream(kGuidStream).value_or(std::vector<std::uint8_t>{});
    const auto entryBytes = storage->Stream(kEntryStream).value_or(std::vector<std::uint8_t>{});
    const auto stringBytes = storage->Stream(kStringStream).value_or(std::vector<std::uint8_t>{});
    if (entryBytes.size() / 8 > std::min(maxEntries, kMaxNamedIds)) {
        throw FormatError("the named-property map has more entries than the limit");
    }
    const std::size_t guidCount = guidBytes.size() / 16;

    LittleEndianReader entries(entryBytes, "the named-property entry stream");
    while (entries.Remaining() >= 8) {
        const std::uint32_t key = entries.U32();
        const std::uint16_t indexAndKind = entries.U16();
        const std::uint16_t propertyIndex = entries.U16();
        const bool isString = indexAndKind & 1;
        const std::uint16_t guidIndex = indexAndKind >> 1;
        if (propertyIndex >= kMaxNamedIds) throw FormatError("the named-property map has an id out of range");

        PropertyName name;
        if (guidIndex == kMapiIndex) {
            name.propertySet = psets::Mapi();
        } else if (guidIndex == kPublicStringsIndex) {
            name.propertySet = PublicStrings();
        } else if (guidIndex >= kFirstStreamIndex && static_cast<std::size_t>(guidIndex - kFirstStreamIndex) < guidCount) {
            const std::size_t at = (guidIndex - kFirstStreamIndex) * 16u;
            name.propertySet = wire::GuidFromBytes(std::span<const std::uint8_t>(guidBytes).subspan(at, 16));
        } else {
            throw FormatError("the named-property map refers to a property set it does not hold");
        }
        if (isString) {
            if (key > stringBytes.size()) throw FormatError("the named-property map points past its names");
            LittleEndianReader strings(std::span<const std::uint8_t>(stringBytes).subspan(key), "the named-property string stream");
            const std::uint32_t length = strings.U32();
            name.id = wire::Utf16LeToUtf8(strings.Take(length));
        } else {
            name.id = key;
        }
        const auto id = static_cast<std::uint16_t>(kFirstNamedId + propertyIndex);
        map.names_.push_back(name);
        map.ids_.emplace(name, id);
        map.byId_[id] = map.names_.size() - 1;
    }
    return map;
}

std::uint16_t NamedPropertyMap::IdOf(const PropertyName& name) {
    if (const auto found = ids_.find(name); found != ids_.end()) return found->second;
    if (names_.size() >= kMaxNamedIds) {
        throw ComError(file_error::TooBig, "NamedPropertyMap", "A message cannot hold more than 32767 named properties.");
    }
    const auto id = static_cast<std::uint16_t>(kFirstNamedId + names_.size());
    names_.push_back(name);
    ids_.emplace(name, id);
    byId_[id] = names_.size() - 1;
    return id;
}

std::optional<PropertyName> NamedPropertyMap::NameOf(std::uint16_t id) const {
    const auto found = byId_.find(id);
    if (found == byId_.end()) return std::nullopt;
    return names_[found->second];
}

void NamedPropertyMap::Write(OleStorageWriter& root) const {
    std::vector<Guid> guids;
    auto guidIndexOf = [&guids](const Guid& set) -> std::uint16_t {
        if (set == psets::Mapi()) return kMapiIndex;
        if (set == PublicStrings()) return kPublicStringsIndex;
        for (std::size_t i = 0; i < guids.size(); ++i) {
            if (guids[i] == set) return static_cast<std::uint16_t>(kFirstStreamIndex + i);
        }
        guids.push_back(set);
        return static_cast<std::uint16_t>(kFirstStreamIndex + guids.size() - 1);
    };

    LittleEndianWriter entries;
    LittleEndianWriter strings;
    std::map<std::string, LittleEndianWriter> hashStreams;
    for (std::size_t index = 0; index < names_.size(); ++index) {
        const PropertyName& name = names_[index];
        const std::uint16_t guidIndex = guidIndexOf(name.propertySet);
        const auto* text = std::get_if<std::string>(&name.id);
        const auto indexAndKind = static_cast<std::uint16_t>(guidIndex << 1 | (text ? 1 : 0));
        std::uint32_t key;
        std::uint32_t hashKey;
        if (text) {
            const auto utf16 = wire::Utf8ToUtf16Le(*text);
            key = static_cast<std::uint32_t>(strings.Size());
            strings.U32(static_cast<std::uint32_t>(utf16.size()));
            strings.Append(utf16);
            strings.Zeros((4 - strings.Size() % 4) % 4);
            hashKey = wire::Crc32(utf16);
        } else {
            key = std::get<std::uint32_t>(name.id);
            hashKey = key;
        }
        entries.U32(key);
        entries.U16(indexAndKind);
        entries.U16(static_cast<std::uint16_t>(index));
        auto& hash = hashStreams[HashStreamName(hashKey, indexAndKind)];
        hash.U32(hashKey);
        hash.U16(indexAndKind);
        hash.U16(static_cast<std::uint16_t>(index));
    }
    LittleEndianWriter guidStream;
    for (const Guid& guid : guids) guidStream.Append(wire::GuidToBytes(guid));

    OleStorageWriter storage = root.AddStorage(kStorage);
    storage.AddStream(kGuidStream, guidStream.Bytes());
    storage.AddStream(kEntryStream, entries.Bytes());
    storage.AddStream(kStringStream, strings.Bytes());
    for (const auto& [streamName, stream] : hashStreams) storage.AddStream(streamName, stream.Bytes());
    storage.Close();
}

}  // namespace ostrellix::standin::message

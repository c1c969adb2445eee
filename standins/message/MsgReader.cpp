#include "standins/message/MsgReader.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "standins/message/FileIo.h"
#include "standins/message/FormatError.h"
#include "standins/message/GLibLogRoute.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/MsgLayout.h"
#include "standins/message/MsgPropertyReader.h"
#include "standins/message/NamedPropertyMap.h"
#include "standins/message/OleStorageReader.h"

namespace ostrellix::standin::message {

namespace {

constexpr const char* kSource = "MsgReader";

class MessageBuilder {
public:
    MessageBuilder(const MsgPropertyReader& properties, const MessageFileLimits& limits)
        : properties_(properties), limits_(limits) {}

    MessageData Read(const OleStorageReader& storage, std::size_t headerSize, std::uint32_t codePage,
                     const std::string& where, int depth) const {
        // where: "" for the file's own message, " in the message of attachment 2" below it.
        const auto read = properties_.Read(storage, headerSize, codePage, where.empty() ? "the message" : where.substr(4));
        MessageData message;
        message.properties = read.properties;
        message.properties.Remove(tag::PR_STORE_SUPPORT_MASK);

        const auto children = storage.Children();
        for (const auto& [index, name] : Numbered(children, msg::kRecipientPrefix, limits_.maxRecipients, where)) {
            const auto recipient = storage.Storage(name);
            if (!recipient) continue;
            RecipientData data;
            data.properties = properties_.Read(*recipient, msg::kChildHeader, read.codePage,
                                               "recipient " + std::to_string(index + 1) + where).properties;
            data.properties.Remove(tag::PR_ROWID);
            message.recipients.push_back(std::move(data));
        }
        for (const auto& [index, name] : Numbered(children, msg::kAttachmentPrefix, limits_.maxAttachments, where)) {
            const auto attachment = storage.Storage(name);
            if (!attachment) continue;
            const std::string what = "attachment " + std::to_string(index + 1) + where;
            AttachmentData data;
            data.properties = properties_.Read(*attachment, msg::kChildHeader, read.codePage, what).properties;
            data.properties.Remove(tag::PR_ATTACH_NUM);
            const Variant method = data.properties.GetValue(tag::PR_ATTACH_METHOD);
            // An OLE object (method 6) also lives in a storage: only method 5 is a message.
            if (method.VarType() == Variant::Type::Long && method.ToLong() == ATTACH_EMBEDDED_MSG) {
                if (const auto embedded = attachment->Storage(msg::kEmbeddedStorage)) {
                    if (depth + 1 > limits_.maxEmbeddingDepth) {
                        throw FormatError("its embedded messages are nested deeper than the limit");
                    }
                    const std::string inner = " in the message of attachment " + std::to_string(index + 1) + where;
                    data.embedded = std::make_shared<MessageData>(
                        Read(*embedded, msg::kEmbeddedHeader, read.codePage, inner, depth + 1));
                }
            }
            message.attachments.push_back(std::move(data));
        }
        return message;
    }

private:
    // Child storages with the prefix, by their number.
    static std::vector<std::pair<std::size_t, std::string>> Numbered(const std::vector<OleStorageReader::Entry>& children,
                                                                     std::string_view prefix, std::size_t limit,
                                                                     const std::string& where) {
        std::vector<std::pair<std::size_t, std::string>> found;
        for (const auto& child : children) {
            if (!child.isStorage) continue;
            if (const auto index = msg::ChildIndex(child.name, prefix)) found.emplace_back(*index, child.name);
        }
        if (found.size() > limit) {
            throw FormatError("the message" + where + " has more " +
                              std::string(prefix == msg::kRecipientPrefix ? "recipients" : "attachments") +
                              " than the limit");
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    const MsgPropertyReader& properties_;
    const MessageFileLimits& limits_;
};

}  // namespace

MessageData MsgReader::ReadFile(const std::filesystem::path& path) const {
    const auto bytes = FileIo::ReadAll(path, limits_.maxFileBytes, kSource);
    return Read(bytes, path.string());
}

MessageData MsgReader::Read(std::span<const std::uint8_t> bytes, std::string_view fileName) const {
    const GLibLogRoute route(host_.debugOutput, kSource);
    try {
        const OleStorageReader root = OleStorageReader::Open(bytes, limits_);
        const NamedPropertyMap names = NamedPropertyMap::Read(root, limits_.maxPropertiesPerObject);
        const MsgPropertyReader properties(names, limits_, host_, fileName);
        return MessageBuilder(properties, limits_).Read(root, msg::kTopHeader, host_.ansiCodePage, "", 0);
    } catch (const FormatError& error) {
        RaiseFileError(file_error::Corrupt, kSource, fileName, "read the Outlook message file", error.what());
    }
}

}  // namespace ostrellix::standin::message

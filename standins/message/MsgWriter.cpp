#include "standins/message/MsgWriter.h"

#include <optional>
#include <string>
#include <utility>

#include "runtime/ComError.h"
#include "standins/message/AnsiCodePage.h"
#include "standins/message/CodePage.h"
#include "standins/message/FileIo.h"
#include "standins/message/GLibLogRoute.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/MessageFileLimits.h"
#include "standins/message/MsgLayout.h"
#include "standins/message/MsgPropertyWriter.h"
#include "standins/message/NamedPropertyMap.h"
#include "standins/message/OleStorageWriter.h"

namespace ostrellix::standin::message {

namespace {

constexpr const char* kSource = "MsgWriter";
constexpr std::int32_t kStoreUnicodeOk = 0x00040000;

std::optional<std::uint32_t> CodePageOf(const PropertyBag& properties, std::uint32_t codePageTag) {
    const Variant value = properties.GetValue(codePageTag);
    if (value.VarType() != Variant::Type::Long) return std::nullopt;
    return static_cast<std::uint32_t>(value.ToLong());
}

PropertyBag Extra(std::uint32_t tag, int value) {
    PropertyBag extra;
    extra.Set(tag, Variant(value));
    return extra;
}

class MessageWriter {
public:
    explicit MessageWriter(NamedPropertyMap& names) : properties_(names) {}

    void Write(OleStorageWriter& storage, const MessageData& message, std::size_t headerSize,
               std::uint32_t inheritedCodePage, const std::string& where, int depth) {
        if (depth > MessageFileLimits{}.maxEmbeddingDepth) {
            throw ComError(file_error::TooBig, kSource, "The embedded messages are nested deeper than a message file allows.");
        }
        const std::uint32_t codePage = AnsiCodePage::Of(CodePageOf(message.properties, tag::PR_MESSAGE_CODEPAGE),
                                                        CodePageOf(message.properties, tag::PR_INTERNET_CPID),
                                                        inheritedCodePage);
        const std::string charset = CodePage::CharsetOf(codePage);
        const MsgPropertyWriter::Header header{headerSize, static_cast<std::uint32_t>(message.recipients.size()),
                                               static_cast<std::uint32_t>(message.attachments.size())};
        properties_.Write(storage, message.properties, header, charset,
                          Extra(tag::PR_STORE_SUPPORT_MASK, kStoreUnicodeOk), false, "the message" + where);

        for (std::size_t i = 0; i < message.recipients.size(); ++i) {
            OleStorageWriter child = storage.AddStorage(msg::ChildName(msg::kRecipientPrefix, i));
            properties_.Write(child, message.recipients[i].properties, {}, charset,
                              Extra(tag::PR_ROWID, static_cast<int>(i)), false,
                              "recipient " + std::to_string(i + 1) + where);
            child.Close();
        }
        for (std::size_t i = 0; i < message.attachments.size(); ++i) {
            const AttachmentData& attachment = message.attachments[i];
            const std::string what = "attachment " + std::to_string(i + 1) + where;
            auto extra = Extra(tag::PR_ATTACH_NUM, static_cast<int>(i));
            if (attachment.embedded && attachment.properties.GetValue(tag::PR_ATTACH_METHOD).IsEmpty()) {
                extra.Set(tag::PR_ATTACH_METHOD, Variant(ATTACH_EMBEDDED_MSG));
            }
            OleStorageWriter child = storage.AddStorage(msg::ChildName(msg::kAttachmentPrefix, i));
            properties_.Write(child, attachment.properties, {}, charset, extra, attachment.embedded != nullptr, what);
            if (attachment.embedded) {
                OleStorageWriter inner = child.AddStorage(msg::kEmbeddedStorage);
                Write(inner, *attachment.embedded, msg::kEmbeddedHeader, codePage,
                      " in the message of attachment " + std::to_string(i + 1) + where, depth + 1);
                inner.Close();
            }
            child.Close();
        }
    }

private:
    MsgPropertyWriter properties_;
};

}  // namespace

std::vector<std::uint8_t> MsgWriter::Write(const MessageData& message, const MessageFileHost& host) {
    const GLibLogRoute route(host.debugOutput, kSource);
    OleStorageWriter root;
    root.SetClassId(Guid::Parse("{00020D0B-0000-0000-C000-000000000046}"));
    NamedPropertyMap names;
    MessageWriter(names).Write(root, message, msg::kTopHeader, host.ansiCodePage, "", 0);
    // Last, once every object has given its named properties their ids.
    names.Write(root);
    return root.Finish();
}

void MsgWriter::WriteFile(const MessageData& message, const std::filesystem::path& path,
                          const MessageFileHost& host) {
    const auto bytes = Write(message, host);
    if (host.diskFull && host.diskFull()) {
        RaiseFileError(file_error::CannotSave, kSource, path.filename().string(), "save",
                       "there is not enough space on the disk");
    }
    FileIo::WriteAtomically(path, bytes, kSource);
}

}  // namespace ostrellix::standin::message

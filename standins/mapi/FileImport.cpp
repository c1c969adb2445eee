#include "standins/mapi/FileImport.h"

#include <algorithm>

#include "contracts/mapi/Constants.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/MessageBody.h"
#include "standins/message/EmlReader.h"
#include "standins/message/FileIo.h"
#include "standins/message/MessageFileLimits.h"
#include "standins/message/MsgReader.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiNames.h"

namespace ostrellix::standin::mapi {

namespace {

// The first bytes of every compound file.
constexpr std::uint8_t kCompoundSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

bool IsCompoundFile(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= sizeof kCompoundSignature &&
           std::equal(std::begin(kCompoundSignature), std::end(kCompoundSignature), bytes.begin());
}

// Files leave out the rows' bookkeeping that the store's objects find
// recipients and attachments by; give it back, down into embedded messages.
void Number(msg::MessageData& message) {
    std::int32_t row = 0;
    for (msg::RecipientData& recipient : message.recipients) {
        recipient.properties.Set(names::tag::PR_ROWID, Variant(static_cast<int>(++row)));
    }
    std::int32_t number = 0;
    for (msg::AttachmentData& attachment : message.attachments) {
        attachment.properties.Set(names::tag::PR_ATTACH_NUM, Variant(static_cast<int>(number++)));
        if (!attachment.embedded) continue;
        auto embedded = std::make_shared<msg::MessageData>(*attachment.embedded);
        Number(*embedded);
        attachment.embedded = std::move(embedded);
    }
}

msg::MessageData ForStore(msg::MessageData message) {
    Number(message);
    MessageBody::HtmlAsText(message);
    return message;
}

}  // namespace

msg::MessageData FileImport::Read(const std::filesystem::path& path, std::int32_t format) {
    const std::string name = path.string();
    const bool msgFormat = format == api::olMSG;
    const bool mime = format == api::olRFC822 || format == api::olRFC822Alt;
    if (!msgFormat && !mime && format != kByContent) {
        errors::Raise(errors::kNoSupport, "Cannot import '" + name + "': the format " + std::to_string(format) +
                                              " is not available (3 message file, 1024 or 1031 MIME).");
    }
    const std::vector<std::uint8_t> bytes =
        msg::FileIo::ReadAll(path, msg::MessageFileLimits{}.maxFileBytes, errors::kSource);
    if (msgFormat || (format == kByContent && IsCompoundFile(bytes))) return ForStore(msg::MsgReader().Read(bytes, name));
    return ForStore(msg::EmlReader().Read(bytes, name));
}

msg::MessageData FileImport::ReadMsg(const std::filesystem::path& path) { return Read(path, api::olMSG); }

}  // namespace ostrellix::standin::mapi

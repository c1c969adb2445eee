#include "standins/mapi/FileImport.h"

#include <algorithm>

#include "contracts/mapi/Constants.h"
#include "contracts/outlook/Constants.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/MessageBody.h"
#include "standins/message/EmlReader.h"
#include "standins/message/FileIo.h"
#include "standins/message/MessageFileLimits.h"
#include "standins/message/MsgReader.h"
#include "standins/message/PropertyTag.h"
#include "runtime/Text.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/RecipientTable.h"

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
        recipient.properties.Set(msg::tag::PR_ROWID, Variant(static_cast<int>(++row)));
    }
    std::int32_t number = 0;
    for (msg::AttachmentData& attachment : message.attachments) {
        attachment.properties.Set(msg::tag::PR_ATTACH_NUM, Variant(static_cast<int>(number++)));
        if (!attachment.embedded) continue;
        auto embedded = std::make_shared<msg::MessageData>(*attachment.embedded);
        Number(*embedded);
        attachment.embedded = std::move(embedded);
    }
}

bool IsOwner(const msg::PropertyBag& bag, std::uint32_t smtpTag, std::uint32_t emailTag,
             const outlook::AddressEntryData& owner) {
    return text::EqualsIgnoreCase(bag.GetValue(smtpTag).ToString(), owner.smtpAddress) ||
           text::EqualsIgnoreCase(bag.GetValue(emailTag).ToString(), owner.address);
}

msg::MessageData ForStore(msg::MessageData message) {
    Number(message);
    MessageBody::HtmlAsText(message);
    return message;
}

}  // namespace

msg::MessageData FileImport::Read(const std::filesystem::path& path, std::int32_t format,
                                  const msg::MessageFileHost& host) {
    const std::string name = path.string();
    const bool msgFormat = format == api::olMSG;
    const bool mime = format == api::olRFC822 || format == api::olRFC822Alt;
    if (!msgFormat && !mime && format != kByContent) {
        errors::Raise(errors::kNoSupport, "Cannot import '" + name + "': the format " + std::to_string(format) +
                                              " is not available (3 message file, 1024 or 1031 MIME).");
    }
    const std::vector<std::uint8_t> bytes =
        msg::FileIo::ReadAll(path, msg::MessageFileLimits{}.maxFileBytes, errors::kSource);
    if (msgFormat || (format == kByContent && IsCompoundFile(bytes))) {
        return ForStore(msg::MsgReader({}, host).Read(bytes, name));
    }
    return ForStore(msg::EmlReader({}, host).Read(bytes, name));
}

void FileImport::MarkReceived(msg::MessageData& message, const outlook::AddressEntryData& owner) {
    msg::PropertyBag& bag = message.properties;
    for (const std::uint32_t mark : {msg::tag::PR_MESSAGE_TO_ME, msg::tag::PR_MESSAGE_CC_ME, msg::tag::PR_RECEIVED_BY_NAME}) {
        if (!bag.GetValue(mark).IsEmpty()) return;
    }
    if (IsOwner(bag, msg::tag::PR_SENDER_SMTP_ADDRESS, msg::tag::PR_SENDER_EMAIL_ADDRESS, owner)) return;
    bool addressed = false, toMe = false, ccMe = false;
    for (const msg::RecipientData& recipient : message.recipients) {
        if (!IsOwner(recipient.properties, msg::tag::PR_SMTP_ADDRESS, msg::tag::PR_EMAIL_ADDRESS, owner)) continue;
        addressed = true;
        toMe = toMe || outlook::RecipientTable::Type(recipient) == ol::olTo;
        ccMe = ccMe || outlook::RecipientTable::Type(recipient) == ol::olCC;
    }
    if (!addressed) return;
    bag.Set(msg::tag::PR_MESSAGE_TO_ME, Variant(toMe));
    bag.Set(msg::tag::PR_MESSAGE_CC_ME, Variant(ccMe));
    bag.Set(msg::tag::PR_RECEIVED_BY_NAME, Variant(owner.name));
    bag.Set(names::tag::PR_RECEIVED_BY_EMAIL_ADDRESS, Variant(owner.address));
}

msg::MessageData FileImport::ReadMsg(const std::filesystem::path& path, const msg::MessageFileHost& host) {
    return Read(path, api::olMSG, host);
}

}  // namespace ostrellix::standin::mapi

#include "standins/mapi/Attachments.h"

#include "standins/mapi/Attachment.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/FileImport.h"
#include "standins/mapi/Message.h"
#include "standins/message/FileIo.h"
#include "standins/message/MessageFileLimits.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Attachment.h"
#include "standins/outlook/Attachments.h"
#include "standins/outlook/Item.h"

namespace ostrellix::standin::mapi {

namespace {

namespace tag = msg::tag;

msg::AttachmentData EmbeddedAttachment(msg::MessageData message, const std::string& name) {
    msg::AttachmentData attachment;
    attachment.embedded = std::make_shared<msg::MessageData>(std::move(message));
    attachment.properties.Set(tag::PR_ATTACH_METHOD, Variant(msg::ATTACH_EMBEDDED_MSG));
    attachment.properties.Set(tag::PR_ATTACH_LONG_FILENAME, Variant(name + ".msg"));
    attachment.properties.Set(tag::PR_ATTACH_EXTENSION, Variant(".msg"));
    attachment.properties.Set(tag::PR_DISPLAY_NAME, Variant(name));
    return attachment;
}

// The message of an object given to embed: one of ours, or an item of Outlook's.
msg::MessageData MessageOf(const ObjectPtr& source) {
    if (const auto message = As<Message>(source)) return message->State()->Read();
    if (const auto item = As<outlook::Item>(source)) return item->Read();
    errors::Raise(errors::kInvalidArgument, "Only a message or an Outlook item can be embedded.");
}

}  // namespace

Ptr<api::IAttachment> Attachments::Add(const Variant& source, std::int32_t type, std::int32_t /*position*/,
                                       std::string_view displayName) {
    state_->Read();
    msg::AttachmentData attachment;
    if (source.IsObject()) {
        msg::MessageData message = MessageOf(source.ToObject());
        const std::string subject = message.properties.GetValue(tag::PR_SUBJECT).ToString();
        attachment = EmbeddedAttachment(std::move(message), subject.empty() ? std::string("Untitled") : subject);
    } else if (type == msg::ATTACH_EMBEDDED_MSG) {
        const std::filesystem::path path(source.ToString());
        attachment = EmbeddedAttachment(FileImport::ReadMsg(path, state_->Link()->FileHost()), path.stem().string());
    } else if (type == msg::ATTACH_BY_VALUE) {
        const std::filesystem::path path(source.ToString());
        attachment = outlook::Attachments::FileAttachment(
            path.filename().string(), msg::FileIo::ReadAll(path, msg::MessageFileLimits{}.maxFileBytes, errors::kSource));
    } else {
        errors::Raise(errors::kNoSupport, "Attachments of type " + std::to_string(type) +
                                              " cannot be added (1 a file, 5 a message).");
    }
    if (!displayName.empty()) attachment.properties.Set(tag::PR_DISPLAY_NAME, Variant(displayName));
    return std::make_shared<Attachment>(state_, outlook::Attachments::Append(state_->Edit(), std::move(attachment)));
}

std::int32_t Attachments::Count() { return static_cast<std::int32_t>(state_->Read().attachments.size()); }

Ptr<api::IAttachment> Attachments::Item(std::int32_t index) {
    const auto& attachments = state_->Read().attachments;
    if (index < 1 || index > static_cast<std::int32_t>(attachments.size())) {
        errors::Raise(errors::kInvalidArgument, "There is no attachment " + std::to_string(index) + ".");
    }
    return std::make_shared<Attachment>(
        state_, outlook::Attachment::Number(attachments[static_cast<std::size_t>(index - 1)]));
}

}  // namespace ostrellix::standin::mapi

#include "standins/mapi/Attachment.h"

#include "standins/mapi/Errors.h"
#include "standins/mapi/Message.h"
#include "standins/message/FileIo.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Attachment.h"

namespace ostrellix::standin::mapi {

namespace tag = msg::tag;

const msg::AttachmentData& Attachment::Data() {
    for (const msg::AttachmentData& attachment : state_->Read().attachments) {
        if (outlook::Attachment::Number(attachment) == number_) return attachment;
    }
    errors::Raise(errors::kObjectDeleted, "The attachment has been removed from the message.");
}

msg::AttachmentData& Attachment::EditData() {
    Data();
    for (msg::AttachmentData& attachment : state_->Edit().attachments) {
        if (outlook::Attachment::Number(attachment) == number_) return attachment;
    }
    errors::Raise(errors::kObjectDeleted, "The attachment has been removed from the message.");
}

std::int32_t Attachment::Type() {
    const Variant method = Data().properties.GetValue(tag::PR_ATTACH_METHOD);
    return method.IsEmpty() ? msg::ATTACH_BY_VALUE : method.ToLong();
}

std::string Attachment::FileName() {
    const msg::PropertyBag& bag = Data().properties;
    const Variant name = bag.GetValue(tag::PR_ATTACH_LONG_FILENAME);
    return name.IsEmpty() ? bag.GetValue(tag::PR_ATTACH_FILENAME).ToString() : name.ToString();
}

std::string Attachment::DisplayName() {
    const Variant name = Data().properties.GetValue(tag::PR_DISPLAY_NAME);
    return name.IsEmpty() ? FileName() : name.ToString();
}

void Attachment::SaveAsFile(std::string_view path) {
    const msg::AttachmentData& attachment = Data();
    if (attachment.embedded) {
        return msg::MsgWriter::WriteFile(*attachment.embedded, std::string(path), state_->Link()->FileHost());
    }
    const Variant bytes = attachment.properties.GetValue(tag::PR_ATTACH_DATA_BIN);
    if (bytes.VarType() != Variant::Type::ByteArray) {
        errors::Raise(errors::kNoSupport, "Cannot save the attachment \"" + DisplayName() + "\" to '" +
                                              std::string(path) + "': it holds no file.");
    }
    msg::FileIo::WriteAtomically(std::string(path), bytes.ToBytes(), errors::kSource);
}

Bytes Attachment::AsArray() {
    const Variant bytes = Data().properties.GetValue(tag::PR_ATTACH_DATA_BIN);
    return bytes.VarType() == Variant::Type::ByteArray ? bytes.ToBytes() : Bytes();
}

Ptr<api::IMessage> Attachment::EmbeddedMsg() {
    if (!Data().embedded) return nullptr;
    return Message::Open(MessageState::Embedded(state_, number_));
}

Ptr<ol::IPropertyAccessor> Attachment::PropertyAccessor() {
    Data();
    auto self = SelfAs<Attachment>();
    return state_->Link()->Accessor([self]() -> const msg::PropertyBag& { return self->Data().properties; },
                                    [self]() -> msg::PropertyBag& { return self->EditData().properties; });
}

}  // namespace ostrellix::standin::mapi

#include "standins/outlook/Attachment.h"

#include <fstream>

#include "contracts/outlook/Constants.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/MessageFiles.h"
#include "standins/outlook/PropertyAccessor.h"

namespace ostrellix::standin::outlook {

namespace tag = msg::tag;

std::int32_t Attachment::Number(const msg::AttachmentData& attachment) {
    const Variant number = attachment.properties.GetValue(message::tag::PR_ATTACH_NUM);
    return number.IsEmpty() ? -1 : number.ToLong();
}

const msg::AttachmentData& Attachment::Data() {
    for (const msg::AttachmentData& attachment : item_->Read().attachments) {
        if (Number(attachment) == number_) return attachment;
    }
    errors::Raise(errors::kNotFound, "The attachment has been deleted.");
}

msg::AttachmentData& Attachment::EditData() {
    Data();
    for (msg::AttachmentData& attachment : item_->Edit().attachments) {
        if (Number(attachment) == number_) return attachment;
    }
    errors::Raise(errors::kNotFound, "The attachment has been deleted.");
}

std::int32_t Attachment::Type() {
    const Variant method = Data().properties.GetValue(tag::PR_ATTACH_METHOD);
    return method.IsEmpty() ? ol::olByValue : method.ToLong();
}

std::string Attachment::FileName() {
    const msg::PropertyBag& bag = Data().properties;
    const Variant name = bag.GetValue(tag::PR_ATTACH_LONG_FILENAME);
    return name.IsEmpty() ? bag.GetValue(tag::PR_ATTACH_FILENAME).ToString() : name.ToString();
}

std::string Attachment::DisplayName() { return Data().properties.GetValue(tag::PR_DISPLAY_NAME).ToString(); }

void Attachment::SaveAsFile(std::string_view path) {
    const msg::AttachmentData& attachment = Data();
    if (attachment.embedded) {
        Instance& outlook = item_->Outlook();
        outlook.Files("Saving an embedded item").WriteMsg(*attachment.embedded, std::string(path), outlook.FileHost());
        return;
    }
    const Variant bytes = attachment.properties.GetValue(tag::PR_ATTACH_DATA_BIN);
    std::ofstream out(std::string(path), std::ios::binary | std::ios::trunc);
    if (bytes.VarType() == Variant::Type::ByteArray) {
        out.write(reinterpret_cast<const char*>(bytes.ToBytes().data()),
                  static_cast<std::streamsize>(bytes.ToBytes().size()));
    }
    if (!out.flush()) errors::Raise(errors::kFailed, "Cannot save the attachment to \"" + std::string(path) + "\".");
}

void Attachment::Delete() {
    Data();
    auto& attachments = item_->Edit().attachments;
    std::erase_if(attachments, [&](const msg::AttachmentData& attachment) { return Number(attachment) == number_; });
}

Ptr<ol::IPropertyAccessor> Attachment::PropertyAccessor() {
    Data();
    auto self = SelfAs<Attachment>();
    return std::make_shared<outlook::PropertyAccessor>(
        item_->Outlook().shared_from_this(), [self]() -> const msg::PropertyBag& { return self->Data().properties; },
        [self]() -> msg::PropertyBag& { return self->EditData().properties; });
}

}  // namespace ostrellix::standin::outlook

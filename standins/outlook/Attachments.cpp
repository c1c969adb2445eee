#include "standins/outlook/Attachments.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "contracts/outlook/Constants.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Attachment.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/MessageFiles.h"

namespace ostrellix::standin::outlook {

namespace tag = msg::tag;

Bytes Attachments::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) errors::Raise(errors::kFailed, "Cannot find the file \"" + path + "\" to attach.");
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) errors::Raise(errors::kFailed, "Cannot read the file \"" + path + "\" to attach.");
    return bytes;
}

Ptr<ol::IAttachment> Attachments::Add(const Variant& source, std::int32_t type, std::int32_t position,
                                      std::string_view displayName) {
    item_->Read();
    msg::AttachmentData attachment;
    msg::PropertyBag& bag = attachment.properties;
    std::string shown(displayName);
    if (source.IsObject()) {
        const auto embedded = source.ToObjectAs<outlook::Item>();
        if (!embedded) errors::Raise(errors::kInvalidArgument, "Only an item of this Outlook can be attached.");
        attachment.embedded = std::make_shared<msg::MessageData>(embedded->Read());
        if (shown.empty()) shown = embedded->Subject();
    } else {
        const std::string path = source.ToString();
        const std::filesystem::path file(path);
        if (type == ol::olEmbeddeditem) {
            MessageFiles& files = item_->Outlook().Files("Attaching a message file as an embedded item");
            attachment.embedded = std::make_shared<msg::MessageData>(files.ReadMsg(path, item_->Outlook().FileHost()));
            if (shown.empty()) shown = file.stem().string();
        } else {
            attachment = FileAttachment(file.filename().string(), ReadFile(path));
            if (shown.empty()) shown = file.filename().string();
        }
    }
    if (attachment.embedded) {
        bag.Set(tag::PR_ATTACH_METHOD, Variant(message::ATTACH_EMBEDDED_MSG));
        bag.Set(tag::PR_ATTACH_LONG_FILENAME, Variant(shown + ".msg"));
        bag.Set(tag::PR_ATTACH_EXTENSION, Variant(".msg"));
    }
    bag.Set(tag::PR_DISPLAY_NAME, Variant(shown));
    if (position != 0) bag.Set(message::tag::PR_RENDERING_POSITION, Variant(static_cast<int>(position)));
    return std::make_shared<Attachment>(item_, Append(item_->Edit(), std::move(attachment)));
}

msg::AttachmentData Attachments::FileAttachment(const std::string& fileName, Bytes bytes) {
    msg::AttachmentData attachment;
    msg::PropertyBag& bag = attachment.properties;
    bag.Set(tag::PR_ATTACH_METHOD, Variant(message::ATTACH_BY_VALUE));
    bag.Set(tag::PR_ATTACH_DATA_BIN, Variant(std::move(bytes)));
    bag.Set(tag::PR_ATTACH_LONG_FILENAME, Variant(fileName));
    bag.Set(tag::PR_ATTACH_FILENAME, Variant(fileName));
    bag.Set(tag::PR_ATTACH_EXTENSION, Variant(std::filesystem::path(fileName).extension().string()));
    bag.Set(tag::PR_DISPLAY_NAME, Variant(fileName));
    return attachment;
}

std::int32_t Attachments::Append(msg::MessageData& message, msg::AttachmentData attachment) {
    std::int32_t number = 0;
    for (const msg::AttachmentData& existing : message.attachments) {
        number = std::max(number, Attachment::Number(existing) + 1);
    }
    attachment.properties.Set(message::tag::PR_ATTACH_NUM, Variant(static_cast<int>(number)));
    message.attachments.push_back(std::move(attachment));
    return number;
}

std::int32_t Attachments::Count() { return static_cast<std::int32_t>(item_->Read().attachments.size()); }

std::size_t Attachments::Position(std::int32_t index) {
    if (index < 1 || index > Count()) errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    return static_cast<std::size_t>(index - 1);
}

Ptr<ol::IAttachment> Attachments::Item(std::int32_t index) {
    const std::size_t position = Position(index);
    return std::make_shared<Attachment>(item_, Attachment::Number(item_->Read().attachments[position]));
}

void Attachments::Remove(std::int32_t index) {
    const std::size_t position = Position(index);
    auto& attachments = item_->Edit().attachments;
    attachments.erase(attachments.begin() + static_cast<std::ptrdiff_t>(position));
}

}  // namespace ostrellix::standin::outlook

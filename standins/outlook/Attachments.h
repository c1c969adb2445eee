#pragma once

#include "contracts/outlook/IAttachments.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

class Item;

// The attachments of an item. A file is attached by value (its bytes,
// PR_ATTACH_METHOD 1, with its file name and extension); an item object is
// embedded (method 5, named after its subject with ".msg"); a ".msg" file
// given with olEmbeddeditem is read and embedded (this needs the message
// files). Each attachment keeps its PR_ATTACH_NUM.
class Attachments final : public ol::IAttachments {
public:
    explicit Attachments(Ptr<outlook::Item> item) : item_(std::move(item)) {}

    Ptr<ol::IAttachment> Add(const Variant& source, std::int32_t type, std::int32_t position,
                             std::string_view displayName) override;
    std::int32_t Count() override;
    Ptr<ol::IAttachment> Item(std::int32_t index) override;
    void Remove(std::int32_t index) override;

    // Reads a file for attaching; raises naming it when it cannot be read.
    static Bytes ReadFile(const std::string& path);
    // A file attached by value: its bytes, name, extension and display name.
    static msg::AttachmentData FileAttachment(const std::string& fileName, Bytes bytes);
    // Adds an attachment to a message, giving it the next PR_ATTACH_NUM; returns that number.
    static std::int32_t Append(msg::MessageData& message, msg::AttachmentData attachment);

private:
    std::size_t Position(std::int32_t index);

    Ptr<outlook::Item> item_;
};

}  // namespace ostrellix::standin::outlook

#pragma once

#include <cstdint>

#include "contracts/outlook/IAttachment.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

class Item;

// One attachment of an item, by its PR_ATTACH_NUM. Once deleted it raises.
class Attachment final : public ol::IAttachment {
public:
    Attachment(Ptr<Item> item, std::int32_t number) : item_(std::move(item)), number_(number) {}

    std::int32_t Type() override;
    std::string FileName() override;
    std::string DisplayName() override;
    void SaveAsFile(std::string_view path) override;
    void Delete() override;
    Ptr<ol::IPropertyAccessor> PropertyAccessor() override;

    static std::int32_t Number(const msg::AttachmentData& attachment);

private:
    const msg::AttachmentData& Data();
    msg::AttachmentData& EditData();

    Ptr<Item> item_;
    std::int32_t number_;
};

}  // namespace ostrellix::standin::outlook

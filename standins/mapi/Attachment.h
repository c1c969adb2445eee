#pragma once

#include <cstdint>

#include "contracts/mapi/IAttachment.h"
#include "standins/mapi/MapiObject.h"
#include "standins/mapi/MessageState.h"

namespace ostrellix::standin::mapi {

// One attachment of a message, by its PR_ATTACH_NUM: a file by value
// (Type 1; AsArray its bytes) or an embedded message (Type 5; EmbeddedMsg
// the message, which follows this one and is saved into it). SaveAsFile
// writes the file's bytes, or the embedded message as a message file.
class Attachment final : public api::IAttachment, public MapiObject {
public:
    Attachment(Ptr<MessageState> state, std::int32_t number) : state_(std::move(state)), number_(number) {}

    std::int32_t Type() override;
    std::string FileName() override;
    std::string DisplayName() override;
    void SaveAsFile(std::string_view path) override;
    Bytes AsArray() override;
    Ptr<api::IMessage> EmbeddedMsg() override;
    Ptr<ol::IPropertyAccessor> PropertyAccessor() override;

private:
    const msg::AttachmentData& Data();
    msg::AttachmentData& EditData();

    Ptr<MessageState> state_;
    std::int32_t number_;
};

}  // namespace ostrellix::standin::mapi

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/outlook/IItem.h"
#include "contracts/outlook/IRecipients.h"

namespace ostrellix::outlook {

class IContactItem;

// An e-mail. Sent is true once it was sent or received; To, CC and BCC are
// the display texts of the recipients of each type.
class IMailItem : public virtual IItem {
public:
    virtual Ptr<IRecipients> Recipients() = 0;
    virtual std::string To() = 0;
    virtual void SetTo(std::string_view to) = 0;
    virtual std::string CC() = 0;
    virtual void SetCC(std::string_view cc) = 0;
    virtual std::string BCC() = 0;
    virtual void SetBCC(std::string_view bcc) = 0;
    virtual std::string HTMLBody() = 0;
    virtual void SetHTMLBody(std::string_view html) = 0;
    virtual std::int32_t BodyFormat() = 0;
    virtual void SetBodyFormat(std::int32_t format) = 0;
    virtual bool Sent() = 0;
    virtual Date SentOn() = 0;          // kNoDate when not sent
    virtual Date ReceivedTime() = 0;    // kNoDate when not received
    virtual std::string SenderName() = 0;
    virtual std::string SenderEmailAddress() = 0;
    virtual std::string SentOnBehalfOfName() = 0;
    virtual void SetSentOnBehalfOfName(std::string_view name) = 0;
    virtual bool DeleteAfterSubmit() = 0;
    virtual void SetDeleteAfterSubmit(bool value) = 0;

    virtual void Send() = 0;
    virtual Ptr<IMailItem> Reply() = 0;
    virtual Ptr<IMailItem> ReplyAll() = 0;
    virtual Ptr<IMailItem> Forward() = 0;
    virtual void SaveAs(std::string_view path, std::int32_t format) = 0;
    virtual void AddBusinessCard(const Ptr<IContactItem>& contact) = 0;
};

}  // namespace ostrellix::outlook

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/mapi/IAttachments.h"
#include "contracts/mapi/IRecipients.h"
#include "contracts/outlook/IUserProperties.h"
#include "runtime/Date.h"

namespace ostrellix::mapi {

class IFolder;

// A message of the store seen through the MAPI library, without the
// object model's security prompts. Dates are outlook::kNoDate when unset.
// SaveAs writes a message file (olMSG); Import reads one into this message
// (olMSG, olRFC822, olRFC822Alt). To, CC and BCC are the display lines of
// the recipients of each type; setting one replaces that type's recipients
// by the names given ("; " between them). Reply, ReplyAll and Forward give
// a new unsaved message in Drafts, as Outlook's mail items do.
class IMessage : public virtual IMapiObject {
public:
    virtual std::string EntryID() = 0;
    virtual std::string MessageClass() = 0;
    virtual void SetMessageClass(std::string_view messageClass) = 0;
    virtual std::string Subject() = 0;
    virtual void SetSubject(std::string_view subject) = 0;
    virtual std::string Body() = 0;
    virtual void SetBody(std::string_view body) = 0;
    virtual std::string HTMLBody() = 0;
    virtual void SetHTMLBody(std::string_view html) = 0;
    virtual std::string RtfBody() = 0;
    virtual void SetRtfBody(std::string_view rtf) = 0;
    virtual std::int32_t BodyFormat() = 0;
    virtual std::string To() = 0;
    virtual void SetTo(std::string_view to) = 0;
    virtual std::string CC() = 0;
    virtual void SetCC(std::string_view cc) = 0;
    virtual std::string BCC() = 0;
    virtual void SetBCC(std::string_view bcc) = 0;
    virtual std::string SenderName() = 0;
    virtual Ptr<IAddressEntry> Sender() = 0;  // nothing when the message has no sender
    virtual void SetSender(const Ptr<IAddressEntry>& sender) = 0;
    virtual Ptr<IAddressEntry> SentOnBehalfOf() = 0;
    virtual std::string SentOnBehalfOfName() = 0;
    virtual void SetSentOnBehalfOfName(std::string_view name) = 0;
    virtual std::string ReceivedByName() = 0;
    virtual bool Sent() = 0;
    virtual void SetSent(bool sent) = 0;
    virtual Date SentOn() = 0;
    virtual void SetSentOn(Date date) = 0;
    virtual Date ReceivedTime() = 0;
    virtual bool DeleteAfterSubmit() = 0;
    virtual void SetDeleteAfterSubmit(bool value) = 0;

    virtual Ptr<IRecipients> Recipients() = 0;
    virtual Ptr<IAttachments> Attachments() = 0;
    virtual Ptr<outlook::IUserProperties> UserProperties() = 0;

    virtual void Save() = 0;
    virtual void SaveAs(std::string_view path, std::int32_t format) = 0;
    virtual void Import(std::string_view path, std::int32_t format) = 0;
    // Copies everything of this message onto `target` (not saved).
    virtual void CopyTo(const Ptr<IMessage>& target) = 0;
    virtual Ptr<IMessage> Move(const Ptr<IFolder>& folder) = 0;
    virtual void Delete() = 0;
    virtual void Send() = 0;
    virtual Ptr<IMessage> Reply() = 0;
    virtual Ptr<IMessage> ReplyAll() = 0;
    virtual Ptr<IMessage> Forward() = 0;
    virtual void Printout() = 0;
};

}  // namespace ostrellix::mapi

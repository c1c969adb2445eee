#pragma once

#include <string_view>

#include "contracts/mapi/IMessage.h"
#include "standins/mapi/MapiObject.h"
#include "standins/mapi/MessageState.h"
#include "standins/outlook/MailAnswer.h"

namespace ostrellix::standin::mapi {

// A message seen through the MAPI library: a mail, or the common part of
// an appointment, task or contact. It works on its MessageState (the store,
// a message file, or a message it is embedded in), without Outlook's
// security prompts. Sent is the unsent bit of PR_MESSAGE_FLAGS (a message
// without flags has not been sent); SentOn is PR_CLIENT_SUBMIT_TIME,
// ReceivedTime PR_MESSAGE_DELIVERY_TIME. Recipient lines and answers work
// as on Outlook's mail items (RecipientTable, MailAnswer). Send hands the message to the
// profile's transport; afterwards the object is done with.
class Message : public virtual api::IMessage, public MapiObject {
public:
    explicit Message(Ptr<MessageState> state) : state_(std::move(state)) {}

    // The object for a message, of the kind its class says: appointments
    // ("IPM.Appointment"), tasks ("IPM.Task") and contacts ("IPM.Contact")
    // get theirs, everything else is a message.
    static Ptr<Message> Open(Ptr<MessageState> state);

    const Ptr<MessageState>& State() const { return state_; }

    std::string EntryID() override { return state_->EntryId(); }
    std::string MessageClass() override;
    void SetMessageClass(std::string_view messageClass) override;
    std::string Subject() override;
    void SetSubject(std::string_view subject) override;
    std::string Body() override;
    void SetBody(std::string_view body) override;
    std::string HTMLBody() override;
    void SetHTMLBody(std::string_view html) override;
    std::string RtfBody() override;
    void SetRtfBody(std::string_view rtf) override;
    std::int32_t BodyFormat() override;
    std::string To() override;
    void SetTo(std::string_view to) override;
    std::string CC() override;
    void SetCC(std::string_view cc) override;
    std::string BCC() override;
    void SetBCC(std::string_view bcc) override;
    std::string SenderName() override;
    Ptr<api::IAddressEntry> Sender() override;
    void SetSender(const Ptr<api::IAddressEntry>& sender) override;
    Ptr<api::IAddressEntry> SentOnBehalfOf() override;
    std::string SentOnBehalfOfName() override;
    void SetSentOnBehalfOfName(std::string_view name) override;
    std::string ReceivedByName() override;
    bool Sent() override;
    void SetSent(bool sent) override;
    Date SentOn() override;
    void SetSentOn(Date date) override;
    Date ReceivedTime() override;
    bool DeleteAfterSubmit() override;
    void SetDeleteAfterSubmit(bool value) override;

    Ptr<api::IRecipients> Recipients() override;
    Ptr<api::IAttachments> Attachments() override;
    Ptr<ol::IUserProperties> UserProperties() override;

    void Save() override { state_->Save(); }
    void SaveAs(std::string_view path, std::int32_t format) override;
    void Import(std::string_view path, std::int32_t format) override;
    void CopyTo(const Ptr<api::IMessage>& target) override;
    Ptr<api::IMessage> Move(const Ptr<api::IFolder>& folder) override;
    void Delete() override { state_->Delete(); }
    void Send() override;
    Ptr<api::IMessage> Reply() override;
    Ptr<api::IMessage> ReplyAll() override;
    Ptr<api::IMessage> Forward() override;
    void Printout() override;

    Ptr<ol::IPropertyAccessor> PropertyAccessor() override;

protected:
    // An Outlook property by its Outlook name (the store's mapping), an
    // absent one as Outlook gives it ("", 0, False, 4501-01-01).
    Variant OutlookValue(std::string_view name);
    std::string OutlookText(std::string_view name) { return OutlookValue(name).ToString(); }

private:
    Ptr<api::IMessage> Answer(outlook::MailAnswer::Verb verb);
    const msg::PropertyBag& Properties() { return state_->Read().properties; }
    std::string Text(std::uint32_t tag);
    Date DateOf(std::uint32_t tag);

    Ptr<MessageState> state_;
};

}  // namespace ostrellix::standin::mapi

#pragma once

#include "contracts/outlook/IMailItem.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/MailAnswer.h"

namespace ostrellix::standin::outlook {

// An e-mail. Its plain and HTML bodies are kept in step (setting one sets
// the other, as the body format asks). Send resolves the recipients (a
// name that does not resolve raises, and nothing is sent), raises Send
// (which may cancel), hands the mail to the transport (Sent Items,
// delivery in the store) and closes the mail's window; the object then is
// done ("moved or deleted"), the sent mail being the copy in Sent Items.
// A mail without PR_MESSAGE_FLAGS counts as not sent.
class MailItem final : public Item, public ol::IMailItem {
public:
    MailItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
             SharedMessage data);

    void SetBody(std::string_view body) override;
    Ptr<ol::IRecipients> Recipients() override;
    std::string To() override;
    void SetTo(std::string_view to) override;
    std::string CC() override;
    void SetCC(std::string_view cc) override;
    std::string BCC() override;
    void SetBCC(std::string_view bcc) override;
    std::string HTMLBody() override;
    void SetHTMLBody(std::string_view html) override;
    std::int32_t BodyFormat() override;
    void SetBodyFormat(std::int32_t format) override;
    bool Sent() override;
    Date SentOn() override;
    Date ReceivedTime() override;
    std::string SenderName() override;
    std::string SenderEmailAddress() override;
    std::string SentOnBehalfOfName() override;
    void SetSentOnBehalfOfName(std::string_view name) override;
    bool DeleteAfterSubmit() override;
    void SetDeleteAfterSubmit(bool value) override;

    void Send() override;
    Ptr<ol::IMailItem> Reply() override;
    Ptr<ol::IMailItem> ReplyAll() override;
    Ptr<ol::IMailItem> Forward() override;
    void SaveAs(std::string_view path, std::int32_t format) override;
    void AddBusinessCard(const Ptr<ol::IContactItem>& contact) override;

    // A new mail's properties.
    static msg::MessageData NewData();

protected:
    unsigned Kind() const override { return kinds::Mail; }
    std::string WindowKind() override;
    void BeforeStore(msg::MessageData& data) override;
    bool SetSpecial(std::string_view name, const Variant& value) override;
    std::optional<Variant> GetSpecial(std::string_view name) override;
    std::optional<Variant> InvokeSpecial(std::string_view member, const std::vector<Variant>& arguments) override;

private:
    Ptr<ol::IMailItem> Answer(MailAnswer::Verb verb);
};

}  // namespace ostrellix::standin::outlook

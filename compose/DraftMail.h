#pragma once

#include <string>
#include <string_view>

#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IMailItem.h"

namespace ostrellix::addin {

// A mail being composed, which is at times Outlook's mail item and at
// times the MAPI library's message of the same mail (an RTF body can only
// be set on the latter). The members the composer fills work on either;
// an object of any other kind raises "object doesn't support" (438).
class DraftMail {
public:
    enum class Verb { Reply, ReplyAll, Forward };

    explicit DraftMail(const ObjectPtr& item);

    bool Sent();
    std::string EntryID();
    void SetSubject(std::string_view subject);
    void SetRecipientLine(std::int32_t type, std::string_view line);
    void SetBody(std::string_view body);
    void SetHTMLBody(std::string_view html);
    void SetRtfBody(std::string_view rtf);
    void AddAttachment(const std::string& source, std::string_view displayName);
    void SetSentOnBehalfOfName(std::string_view name);
    ObjectPtr Answer(Verb verb);

private:
    [[noreturn]] static void Unsupported();

    Ptr<outlook::IMailItem> mail_;
    Ptr<mapi::IMessage> message_;
};

}  // namespace ostrellix::addin

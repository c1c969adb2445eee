#pragma once

#include <string>
#include <vector>

#include "contracts/kelo/IMailerDocument.h"

namespace ostrellix::standin::kelo {

// A document the client mails through an add-in ("QVR.MailerDocument"):
// the client's older mailing path, which learns of the sent mail through
// Notify. Each notification is kept, with the document's name and bytes.
class MailerDocument final : public ostrellix::kelo::IMailerDocument {
public:
    struct Notification {
        std::string to;
        std::string subject;
        std::string documentName;
        Bytes documentData;
    };

    void Notify(std::string_view to, std::string_view subject,
                const Ptr<ostrellix::kelo::IDocument>& document) override;

    const std::vector<Notification>& Notifications() const { return notifications_; }

private:
    std::vector<Notification> notifications_;
};

}  // namespace ostrellix::standin::kelo

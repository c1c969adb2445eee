#include "standins/kelo/client/MailerDocument.h"

namespace ostrellix::standin::kelo {

void MailerDocument::Notify(std::string_view to, std::string_view subject,
                            const Ptr<ostrellix::kelo::IDocument>& document) {
    Notification notification{std::string(to), std::string(subject), {}, {}};
    if (document) {
        notification.documentName = document->Name();
        notification.documentData = document->Data();
    }
    notifications_.push_back(std::move(notification));
}

}  // namespace ostrellix::standin::kelo

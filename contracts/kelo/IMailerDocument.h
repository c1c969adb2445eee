#pragma once

#include <string_view>

#include "contracts/kelo/IDocument.h"

namespace ostrellix::kelo {

// A document the client is mailing: told of the mail once it was sent.
class IMailerDocument : public virtual Object {
public:
    virtual void Notify(std::string_view to, std::string_view subject, const Ptr<IDocument>& document) = 0;
};

}  // namespace ostrellix::kelo

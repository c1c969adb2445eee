#pragma once

#include <string>

#include "runtime/Variant.h"

namespace ostrellix::addin {

// The To, CC and BCC lines of a mail from recipients as a caller gives
// them: a text (To, as it is), an array of texts (To, joined with "; "),
// or recipient objects, one or a collection, sorted by their type with
// their addresses joined with "; ".
class RecipientLists {
public:
    explicit RecipientLists(const Variant& recipients);

    const std::string& To() const { return to_; }
    const std::string& CC() const { return cc_; }
    const std::string& BCC() const { return bcc_; }

private:
    void AddRecipient(const ObjectPtr& recipient);

    std::string to_;
    std::string cc_;
    std::string bcc_;
};

}  // namespace ostrellix::addin

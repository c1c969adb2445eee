#pragma once

#include <functional>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IMailItem.h"

namespace ostrellix::addin {

// Files the attached files of a mail: one new, unsaved document record per
// file attachment, holding the file, its display name as comment, and the
// person, company, contact text and coworker the mail gives, each shown in
// its own record window for the user to save.
class AttachmentDocuments {
public:
    using ShowRecord = std::function<void(const Ptr<kelo::IRecord>&)>;
    static void Save(const Ptr<outlook::IMailItem>& mail, const ShowRecord& show);
};

}  // namespace ostrellix::addin

#pragma once

#include <string_view>

#include "contracts/kelo/IDocumentTemplate.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/mapi/IMessage.h"

namespace ostrellix::addin {

// Makes a mail file from a Kelo mail template ("KeloOstrellix.DocumentFactory"):
// the template's message file with a record's values merged into its
// recipients, subject and body. The message passes through the Drafts
// folder of the MAPI library's session, since only a stored message can be
// edited and saved there; the Drafts copy is removed again. Holds nothing
// between calls; errors reach the caller.
class DocumentFactory : public virtual Object {
public:
    // Writes the merged mail to `filename` (a ".msg" file), replacing the template's copy there.
    void CreateMailFromTemplate(const Ptr<kelo::IDocumentTemplate>& documentTemplate,
                                const Ptr<kelo::IRecord>& record, std::string_view filename);
    // Not supported: raises 1001.
    [[noreturn]] ObjectPtr CreateAndReturnMailItemFromTemplate(const Ptr<kelo::IDocumentTemplate>& documentTemplate,
                                                               const Ptr<kelo::IRecord>& record,
                                                               std::string_view filename);

    // The record's values put into the message's field codes. A recipient
    // whose code stays unfilled (or who merges to nothing) is dropped; the
    // body is only touched when the merge changed it.
    static void Merge(const Ptr<mapi::IMessage>& message, const Ptr<kelo::IRecord>& record);

private:
    static void MergeRecipients(const Ptr<mapi::IMessage>& message, const Ptr<kelo::IRecord>& record);
    static void MergeBody(const Ptr<mapi::IMessage>& message, const Ptr<kelo::IRecord>& record);
};

}  // namespace ostrellix::addin

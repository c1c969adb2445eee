#pragma once

#include <string>

#include "compose/DraftMail.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IRecord.h"

namespace ostrellix::addin {

// Answers a mail kept in Kelo as a document ("KeloOstrellix.NewMailReply"):
// the document of the context's record (or of the document record it
// links to) is written to a temporary ".msg" file (an ".eml" document is
// imported into one first), and a NewMail with that file as template
// replies, replies to all or forwards it. The temporary files are removed
// once the answer is shown.
class NewMailReply : public virtual Object {
public:
    void Reply(const ObjectPtr& context);
    void ReplyAll(const ObjectPtr& context);
    void Forward(const ObjectPtr& context);

private:
    static void Answer(const ObjectPtr& context, DraftMail::Verb verb);
    static Ptr<kelo::IRecord> RecordOf(const ObjectPtr& context);
    static Ptr<kelo::IDocument> StoredMail(const Ptr<kelo::IRecord>& record);
    // The document as a message file at a new temporary path.
    static std::string WriteMessageFile(const Ptr<kelo::IDocument>& document);
    static std::string TempPath(const std::string& extension);
};

}  // namespace ostrellix::addin

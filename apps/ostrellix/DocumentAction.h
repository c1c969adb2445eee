#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "apps/ostrellix/ActionGroup.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IDocumentTemplate.h"

namespace ostrellix::host {

// `ostrellix kelo mail-template|new-document|open-document|print-document`:
// the Kelo user's mail templates and stored mails, through the add-in's
// mailer, document factory and document viewer.
//   mail-template   "Mail from template" in a record window: the mail the
//                   add-in made from the template and the record, shown
//   new-document    a new document from a mail template, for the record:
//                   stored as a document record linked to it
//   open-document   the stored mail of a document record shown in Outlook;
//                   --subject, --body, --save and --send are what the
//                   Outlook user then does before the window closes, and
//                   the document's mail is printed again afterwards
//   print-document  the stored mail printed (Outlook's printed jobs)
class DocumentAction {
public:
    explicit DocumentAction(ActionGroup& group);
    DocumentAction(const DocumentAction&) = delete;
    DocumentAction& operator=(const DocumentAction&) = delete;

private:
    int MailTemplate(Host& host, ActionOutput& output);
    int NewDocument(Host& host, ActionOutput& output);
    int OpenDocument(Host& host, ActionOutput& output);
    int PrintDocument(Host& host, ActionOutput& output);

    static Ptr<kelo::IDocumentTemplate> FindTemplate(Host& host, const std::string& name);
    // The file of a document record, as the user opens it from the record window.
    Ptr<kelo::IDocument> StoredDocument(Host& host) const;
    // Subject and body of the mail a document holds.
    void ShowDocument(ActionOutput& output, const std::string& action, const Ptr<kelo::IDocument>& document) const;

    std::string template_, context_;
    std::int32_t id_ = 0;
    std::optional<std::string> subject_, body_;
    bool save_ = false, send_ = false;
};

}  // namespace ostrellix::host

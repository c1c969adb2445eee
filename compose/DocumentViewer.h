#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contracts/kelo/IDocument.h"
#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IItem.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// Shows and prints the mails Kelo keeps as documents ("KeloOstrellix.DocumentViewer").
//
// Outlook can only show a stored item, so the document's file is imported
// into a temporary message in Drafts, which Outlook then opens. While the
// window is open the viewer keeps itself in the object registry: a save in
// Outlook writes the temporary message back into the document's file, and
// closing the window commits that file to the document (once something was
// written) and removes the temporary message, unless the user sent it.
// A document that may not be changed, or any document while the option
// AllowEditMessages is off, opens as a sent mail, which Outlook does not let
// the user edit.
class DocumentViewer : public virtual Object {
public:
    DocumentViewer() = default;
    DocumentViewer(const DocumentViewer&) = delete;
    DocumentViewer& operator=(const DocumentViewer&) = delete;
    ~DocumentViewer() override;

    // Ends what the viewer showed before; a document without a file opens nothing.
    void Display(const Ptr<kelo::IDocument>& document);
    void PrintOut(const Ptr<kelo::IDocument>& document);
    // Marks the message with a "GUID" user property, which tells the mail
    // window's watch that the add-in handles it. Errors are ignored.
    static void DisableSync(Ptr<mapi::IMessage>& message);

private:
    static Ptr<mapi::IMessage> CreateTemporaryMessage(std::string_view filename);
    // Listens as whichever kind of item Outlook made of the message.
    void Hook();
    void OnItemEvent(std::string_view event);
    void Shutdown();
    // What Shutdown and the destructor share: everything but leaving the registry.
    void Release();
    void ReleaseDocument();

    Ptr<mapi::IMessage> message_;
    Ptr<kelo::IDocument> document_;
    Ptr<outlook::IItem> m_MailItem;
    std::string kind_;
    bool sent_ = false;
    bool written_ = false;
    std::vector<Connection> connections_;
};

}  // namespace ostrellix::addin

#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IDocumentTemplate.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/kelo/IMessenger.h"
#include "contracts/kelo/IRecord.h"
#include "runtime/Variant.h"

namespace ostrellix::standin::kelo {

class KeloClient;

// The Outlook commands of the client's windows, as the client runs them:
// through the host interfaces of the loaded add-in that offers them (found
// by the object its add-in instance holds), with the window the user works
// in as context: a record window (Inspector) or a list window (Explorer).
// One call per user action. A failure of the add-in reaches the caller as
// the add-in raised it; the client would show it in its message box.
class MenuCommands {
public:
    explicit MenuCommands(KeloClient& client) : client_(client) {}

    // The Outlook menu of a record or list window.
    void Synchronize(const ObjectPtr& window);
    void ShowInOutlook(const ObjectPtr& window);
    void NewMail(const ObjectPtr& window);
    void Reply(const ObjectPtr& window);
    void ReplyAll(const ObjectPtr& window);
    void Forward(const ObjectPtr& window);
    void NewAppointment(const ObjectPtr& window, bool showCalendar);
    void NewMeeting(const ObjectPtr& window);
    void NewTask(const ObjectPtr& window);
    void SendToOutlook(const ObjectPtr& window);
    // Mails of record details: the window's record, or a list window's
    // selection, as business cards, as a request to call, or in full.
    void SendContacts(const ObjectPtr& window, std::string_view recipient = {});
    void SendPleaseCall(const ObjectPtr& window, std::string_view recipient = {});
    void SendAllDetails(const ObjectPtr& window, std::string_view recipient = {});
    // "Send links": a mail of links (linkkind) to the window's record, or to
    // the entries selected in a list window (its current entry when none is).
    void SendLinks(const ObjectPtr& window, std::int32_t linkKind, std::string_view subject = {},
                   const Variant& recipients = {});

    // A file dropped on a window. False when the add-in left the drop to
    // the client, which then takes nothing (it has no filing of its own).
    bool DropFile(const ObjectPtr& window, std::string_view path);

    // A stored document opened or printed: through the add-in's viewer when
    // it supports the document's extension (true), otherwise not by the add-in.
    bool OpenDocument(const Ptr<ostrellix::kelo::IDocument>& document);
    bool PrintDocument(const Ptr<ostrellix::kelo::IDocument>& document);
    // The mail templates the add-in offers for a class (and a field of it).
    Ptr<ostrellix::kelo::IDocumentTemplates> MailTemplates(const Ptr<ostrellix::kelo::IClass>& cls,
                                                           const Ptr<ostrellix::kelo::IField>& field);
    // "Mail from template": a new mail from the template with the record of
    // the window merged in, shown by the add-in (as the client's mailer).
    void MailFromTemplate(const ObjectPtr& window, const Ptr<ostrellix::kelo::IDocumentTemplate>& documentTemplate);
    // A new document for a record from a template, when the add-in's factory
    // makes documents of the template's extension; otherwise nothing.
    Ptr<ostrellix::kelo::IDocument> NewDocument(const Ptr<ostrellix::kelo::IRecord>& record,
                                                const Ptr<ostrellix::kelo::IDocumentTemplate>& documentTemplate);
    // The add-in's sending engine for a mass mailing.
    Ptr<ostrellix::kelo::IMessenger> NewMailing();

    // "Pick from Outlook" beside a recipient: the one name picked in
    // Outlook's address book (an Outlook recipient), or nothing.
    ObjectPtr PickOutlookRecipient();
    // A member of the add-in's own interface, by name, as the client's
    // scripts call it (late binding; 438 for a member it does not have).
    Variant CallAddin(std::string_view member, const std::vector<Variant>& arguments = {});

private:
    template <class Interface>
    Ptr<Interface> Addin();

    KeloClient& client_;
};

}  // namespace ostrellix::standin::kelo

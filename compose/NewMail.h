#pragma once

#include <cstdint>

#include "compose/DraftMail.h"
#include "runtime/Variant.h"

namespace ostrellix::addin {

// Builds an Outlook mail from a Kelo request ("KeloOstrellix.NewMail"):
// the caller sets subject, recipients, bodies, attachments, a template
// message file, a mailbox to send on behalf of and the Kelo context, then
// calls one verb. The verb asks the client's scripts first (the add-in's
// "NewOutgoingMail" hook; a script that claims it stops the verb), starts
// from the template (by way of Drafts), a business-card mail or a blank
// mail, fills it, and shows or sends it. A mail that is shown, or sent by
// Display with the display flag clear, gets an OutboxListener that files
// it in Kelo once sent; Send attaches none.
//
// Members are variants because the client hands loosely typed values; an
// operation taking `item` may replace it by another object of the same
// mail (Outlook's item or the MAPI library's message). Errors reach the caller.
class NewMail : public virtual Object {
public:
    // Bit 1 of the flags: show the mail for editing.
    static constexpr std::int32_t kDisplay = 1;

    // Starts from the client's active record window (else its active list
    // window) as context, and from the "send on behalf of" option's mailbox.
    NewMail();

    void SetFlags(std::int32_t flags) { flags_ = flags; }
    // Not supported: raises 1001.
    [[noreturn]] void SetItem(const ObjectPtr& item);
    const Variant& SentOnBehalfOf() const { return sentOnBehalfOf_; }
    void SetSentOnBehalfOf(const Variant& value) { sentOnBehalfOf_ = value; }
    const Variant& Context() const { return context_; }
    // Empty, Null and nothing are ignored; any other value also sets the save mode anew.
    void SetContext(const Variant& value);
    const Variant& Template() const { return template_; }
    void SetTemplate(const Variant& value) { template_ = value; }
    const Variant& Attachments() const { return attachments_; }
    void SetAttachments(const Variant& value) { attachments_ = value; }
    const Variant& Body() const { return body_; }
    void SetBody(const Variant& value) { body_ = value; }
    const Variant& HtmlBody() const { return htmlBody_; }
    void SetHtmlBody(const Variant& value) { htmlBody_ = value; }
    const Variant& RtfBody() const { return rtfBody_; }
    void SetRtfBody(const Variant& value) { rtfBody_ = value; }
    const Variant& Recipients() const { return recipients_; }
    // Nothing is ignored (the recipients stay).
    void SetRecipients(const Variant& value);
    const Variant& Subject() const { return subject_; }
    // The empty text is kept as Empty: a template's or answer's subject stays.
    void SetSubject(const Variant& value);

    void CreateItem(ObjectPtr& item);
    static void MakeOutlookItem(ObjectPtr& item);
    static void MakeRedemptionItem(ObjectPtr& item);
    void MakeReplyItem(ObjectPtr& item);
    void MakeReplyAllItem(ObjectPtr& item);
    void MakeForwardItem(ObjectPtr& item);
    void InitializeItem(ObjectPtr& item);
    void InitializeSubject(ObjectPtr& item);
    void InitializeSentOnBehalfOf(ObjectPtr& item);
    void InitializeRecipients(ObjectPtr& item);
    void InitializeAttachments(ObjectPtr& item);
    void InitializeBody(ObjectPtr& item);
    void DisplayItem(ObjectPtr& item);
    static void SendItem(ObjectPtr& item);

    void Display();
    void Send();
    void Reply();
    void ReplyAll();
    void Forward();

    // Handed to the OutboxListener: ask before filing / never file.
    bool AskBeforeSave() const { return askBeforeSave_; }
    void SetAskBeforeSave(bool value) { askBeforeSave_ = value; }
    bool DontSave() const { return dontSave_; }
    void SetDontSave(bool value) { dontSave_ = value; }

private:
    // Asks the client's scripts, then makes the starting item; false when a script claimed the mail.
    bool Create(ObjectPtr& item);
    void MakeAnswer(ObjectPtr& item, DraftMail::Verb verb);
    void Answer(DraftMail::Verb verb);
    // Clears the sender from the recipients, marks the mail and hands it to its OutboxListener.
    void PrepareForSending(ObjectPtr& item);
    static void RemoveSender(const ObjectPtr& item);
    static bool IsOpen(const std::string& entryId);
    void ComputeSaveMode();

    std::int32_t flags_ = kDisplay;
    Variant sentOnBehalfOf_;
    Variant context_;
    Variant template_;
    Variant attachments_;
    Variant body_;
    Variant htmlBody_;
    Variant rtfBody_;
    Variant recipients_;
    Variant subject_;
    bool askBeforeSave_ = false;
    bool dontSave_ = false;
};

}  // namespace ostrellix::addin

#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IMailerDocument.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IMailItem.h"
#include "runtime/Connection.h"
#include "runtime/Variant.h"

namespace ostrellix::addin {

// Follows one outgoing Outlook mail from composing until it was sent, then
// files the sent message in Kelo as a document record
// ("KeloOstrellix.OutboxListener"). Outlook offers no usable handle on a
// mail once sent, so at Send the listener copies the message into Sent
// Items through the MAPI library and files that copy a moment later, when
// a 100 ms Kelo timer of its own fires. It keeps itself alive in the
// object registry while it follows a mail; when the last reference goes,
// its timer stops and the copy is deleted (Outlook keeps its own sent item).
class OutboxListener : public virtual Object {
public:
    OutboxListener();
    ~OutboxListener() override;
    OutboxListener(const OutboxListener&) = delete;
    OutboxListener& operator=(const OutboxListener&) = delete;

    bool AskBeforeSave() const { return askBeforeSave_; }
    void SetAskBeforeSave(bool value) { askBeforeSave_ = value; }
    // The mail was made by the add-in: unsent and never written, it is deleted when its window closes.
    bool NewMail() const { return newMail_; }
    void SetNewMail(bool value) { newMail_ = value; }
    bool DontSave() const { return dontSave_; }
    void SetDontSave(bool value) { dontSave_ = value; }
    // A text, a mailer document of the client, a record, a record window or a list window.
    const Variant& Context() const { return context_; }
    void SetContext(const Variant& value);
    void SetInspector(const Ptr<outlook::IInspector>& inspector);
    // Filing then opens a record window instead of storing the record silently.
    bool AlreadyOpen() const { return alreadyOpen_; }
    void SetAlreadyOpen(bool value) { alreadyOpen_ = value; }
    // The record the context stands for.
    Ptr<kelo::IRecord> Record() const { return record_; }
    void SetItem(const Ptr<outlook::IMailItem>& mail);

private:
    void OnSend();
    void OnWrite();
    void OnClose();
    void OnTimer(std::int32_t id);

    static Ptr<kelo::IRecord> GetContextRecord(const ObjectPtr& object);
    static std::string GetItemGUID(const Ptr<outlook::IMailItem>& mail);
    void Follow(const Ptr<outlook::IMailItem>& mail);
    void StopFollowing();
    void StartTimer();
    void StopTimer();
    void Shutdown();
    void SaveAsDocument(const Ptr<mapi::IMessage>& copy);
    static void NotifyMailDocument(const Ptr<mapi::IMessage>& copy, const Ptr<kelo::IMailerDocument>& document);
    static bool TrySaveRecord(const Ptr<kelo::IRecord>& record);
    void DeleteSentCopy();

    bool askBeforeSave_ = false;
    bool newMail_ = false;
    bool dontSave_ = false;
    bool alreadyOpen_ = true;
    Variant context_;
    Ptr<kelo::IRecord> record_;
    ObjectPtr parentWindow_;

    Ptr<outlook::IMailItem> m_OutlookItem;
    Connection send_, write_, close_;
    bool written_ = false;
    Ptr<mapi::IMessage> sentCopy_;
    Ptr<kelo::IApplication> m_Application;
    Connection timer_;
    std::int32_t timerId_ = 0;
};

}  // namespace ostrellix::addin

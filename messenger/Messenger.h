#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IMessenger.h"
#include "contracts/kelo/IProgress.h"
#include "messenger/MessengerRecipients.h"

namespace ostrellix::addin {

// The Outlook engine of the client's mass mailing ("KeloOstrellix.Messenger").
// Its settings live in a property set the client keeps with the mailing:
// the class mailed and its e-mail field, the EntryID of the Outlook draft
// to send, an optional filter, and whether to send one mail per recipient
// (merged with the record), keep only the first of them in Sent Items, and
// leave out duplicate addresses. Send uses the draft up: it becomes a
// message file from which every mail is made, and is deleted.
class Messenger : public kelo::IMessenger {
public:
    Messenger();

    std::string IMessenger_Name() override;
    std::string IMessenger_LocalName() override;
    Ptr<kelo::IImage> IMessenger_Icon(std::int32_t kind) override;
    std::string IMessenger_OptionsControlProgID() override;
    ObjectPtr IMessenger_OptionsControl() override;
    bool IMessenger_Compose() override;
    void IMessenger_SetClass(const Ptr<kelo::IClass>& cls) override;
    Ptr<kelo::IDocument> IMessenger_Document() override;
    void IMessenger_LoadProperties(const Ptr<kelo::IProperties>& source) override;
    void IMessenger_SaveProperties(const Ptr<kelo::IProperties>& target) override;
    bool IMessenger_Supports(std::int32_t feature) override;
    void IMessenger_Validate() override;
    Ptr<kelo::IPool> IMessenger_OpenRecipients(const Ptr<kelo::IPool>& pool) override;
    std::int32_t IMessenger_RecipientCount() override;
    Ptr<kelo::IPool> IMessenger_Send(const Ptr<kelo::IWorkDialog>& dialog, bool dryRun) override;

    // The list the last OpenRecipients made; nothing before.
    const Ptr<MessengerRecipients>& CurrentRecipients() const { return recipients_; }

private:
    // The draft as a message file without recipients; the draft is deleted.
    std::string TakeDraft(const std::string& entryId);
    void SendOneByOne(const std::string& path, const Ptr<kelo::IProgress>& progress, bool saveOnlyFirstMail,
                      bool dryRun);
    void SendToAll(const std::string& path, bool dryRun);

    Ptr<kelo::IProperties> properties_;
    Ptr<MessengerRecipients> recipients_;
};

}  // namespace ostrellix::addin

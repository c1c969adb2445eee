#pragma once

#include <array>
#include <string>

#include "contracts/kelo/IRecord.h"
#include "contracts/kelo/IWorkDialog.h"
#include "contracts/office/ICommandBarButton.h"
#include "contracts/outlook/IExplorers.h"
#include "contracts/outlook/IInspectors.h"
#include "contracts/outlook/IMailItem.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// Puts the add-in's buttons into every Outlook window that shows a mail
// and carries out their clicks: file the mail, file its attachments,
// import the business cards attached to it, pick addresses from the Kelo
// address book, attach the user's own card, insert a link to the open
// Kelo record. It also starts following each mail the user composes in
// Outlook (OutboxListener). One lives for the whole Outlook connection, in
// the object registry; it watches one mail window at a time.
class MailListener : public virtual Object {
public:
    // Takes Outlook's windows as event sources and watches the explorers already open.
    void Initialize();

    // For a mail item: watches its window (GetInspector) as a new one.
    void SetupListenerForNewItem(const ObjectPtr& item);
    void AttachBusinessCard();
    void SaveAttachedContacts();

private:
    enum Button { SaveButton, SaveAttachmentsButton, ImportContactsButton, FindAddressButton, AttachBusinessCardButton, InsertLinkButton, kButtons };
    struct ButtonMember {
        Ptr<office::ICommandBarButton> control;
        Connection click;
    };

    void OnNewInspector(const Ptr<outlook::IInspector>& inspector);
    void OnNewExplorer(const Ptr<outlook::IExplorer>& explorer);
    void OnInspectorClose();
    void OnClick(Button button, const Ptr<office::ICommandBarButton>& control);
    void OnWork();

    void AddExplorerListener(const Ptr<outlook::IExplorer>& explorer);
    void SetupListenerForNewInspector(const Ptr<outlook::IInspector>& inspector);
    void AddButtons(const Ptr<outlook::IInspector>& inspector);
    void RemoveButtons();
    static bool IsMailItem(const ObjectPtr& item);
    static bool IsActiveInspectorMail();
    static Ptr<outlook::IMailItem> ActiveInspectorMail();
    static bool IsAttachedFile(const Ptr<outlook::IMailItem>& mail);
    static bool IsAttachedContact(const Ptr<outlook::IMailItem>& mail);

    // The work dialog that runs the button's work (Work) with "Tag" and "Item".
    void RunInWorkDialog(std::string_view captionKey, const std::string& tag);
    static void SaveMail(const Ptr<outlook::IMailItem>& mail);
    static void ShowRecordInInspector(const Ptr<kelo::IRecord>& record);
    static void FindAddress(const Ptr<outlook::IMailItem>& mail);
    static void InsertLink(const Ptr<outlook::IMailItem>& mail);
    static void AttachBusinessCardToMail(const Ptr<outlook::IMailItem>& mail);

    Ptr<outlook::IInspectors> m_OutlookInspectors;
    Ptr<outlook::IExplorers> m_OutlookExplorers;
    Ptr<outlook::IInspector> m_OutlookInspector;
    std::array<ButtonMember, kButtons> m_Buttons;
    Ptr<kelo::IWorkDialog> m_WorkDialog;
    Connection newInspector_;
    Connection newExplorer_;
    Connection inspectorClose_;
    Connection work_;
};

}  // namespace ostrellix::addin

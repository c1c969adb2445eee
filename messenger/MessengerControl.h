#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IMessenger.h"
#include "contracts/kelo/IMessengerOptionsControl.h"
#include "contracts/kelo/IProperties.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IItem.h"
#include "core/Form.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// The panel in which the user sets up an Outlook mailing
// ("KeloOstrellix.MessengerControl"), shown by the client's messenger
// window or inside the add-in's own compose dialog. It edits a working
// copy of the messenger's settings and writes it back on Save. The
// mailing's message is an Outlook mail the user edits in its own window;
// Send in that window ends the editing instead of sending.
class MessengerControl : public Form, public kelo::IMessengerOptionsControl {
public:
    MessengerControl();

    Ptr<kelo::IMessenger> Messenger() const { return messenger_; }
    void SetMessenger(const Ptr<kelo::IMessenger>& messenger) { IMessengerOptionsControl_SetMessenger(messenger); }
    // The working set, as the panel holds it now.
    Ptr<kelo::IProperties> WorkingProperties() const { return properties_; }
    // The window the mailing's message is being edited in; nothing when none is open.
    Ptr<outlook::IInspector> MessageInspector() const { return m_OutlookInspector; }

    std::string IMessengerOptionsControl_HelpText() override { return ""; }
    bool IMessengerOptionsControl_Dirty() override { return true; }
    void IMessengerOptionsControl_SetMessenger(const Ptr<kelo::IMessenger>& messenger) override;
    void IMessengerOptionsControl_Activate() override;
    void IMessengerOptionsControl_Deactivate() override {}
    bool IMessengerOptionsControl_Save(bool validate) override;
    void IMessengerOptionsControl_Cancel() override {}

protected:
    void Form_Load() override;

private:
    void CheckBox_Click(const char* property, const char* control);
    void CtrlNewButton_Click();
    void CtrlEditButton_Click();
    void CtrlFieldButton_Click();
    void CtrlFilterButton_Click();
    void EditFilter(const Ptr<kelo::IFilter>& filter);
    void OpenForEditing(const Ptr<outlook::IItem>& item);
    void OnMailSend(bool& cancel);
    void OnInspectorClose();
    void StopEditing();
    void Refresh();
    void RefreshMessageLabel();

    // Where a menu of the button opens: its bottom left corner.
    std::pair<std::int32_t, std::int32_t> Below(std::string_view button);
    Ptr<kelo::IClass> MailingClass();
    Ptr<kelo::IFilter> CurrentFilter();

    Ptr<kelo::IMessenger> messenger_;
    Ptr<kelo::IProperties> properties_;
    Ptr<outlook::IItem> m_OutlookMail;
    Ptr<outlook::IInspector> m_OutlookInspector;
    Connection mailSend_, mailWrite_, inspectorClose_;
    bool sendPressed_ = false;
    bool mailWritten_ = false;
};

}  // namespace ostrellix::addin

#pragma once

#include "contracts/outlook/IExplorer.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

class MailListener;

// Extends the mail-window watch to replies and forwards written inline in
// an Outlook explorer's reading pane. It keeps itself alive in the object
// registry from Setup until its explorer closes.
class MailExplorerListener : public virtual Object {
public:
    void Setup(const Ptr<MailListener>& listener, const Ptr<outlook::IExplorer>& explorer);

private:
    void OnInlineResponse(const Ptr<outlook::IItem>& item);
    void OnClose();

    Ptr<MailListener> mailListener_;
    Ptr<outlook::IExplorer> m_OutlookExplorer;
    Connection inlineResponse_;
    Connection close_;
};

}  // namespace ostrellix::addin

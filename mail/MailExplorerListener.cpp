#include "mail/MailExplorerListener.h"

#include "core/DebugLog.h"
#include "core/Globals.h"
#include "mail/MailListener.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("MailExplorerListener - ");

}  // namespace

void MailExplorerListener::Setup(const Ptr<MailListener>& listener, const Ptr<outlook::IExplorer>& explorer) {
    Log("Setup");
    Globals::AddEventListener(shared_from_this());
    mailListener_ = listener;
    m_OutlookExplorer = explorer;
    inlineResponse_ = explorer->Events().InlineResponse.Connect(
        [this](const Ptr<outlook::IItem>& item) { OnInlineResponse(item); });
    close_ = explorer->Events().Close.Connect([this] { OnClose(); });
    if (const auto inline_ = explorer->ActiveInlineResponse()) mailListener_->SetupListenerForNewItem(inline_);
}

void MailExplorerListener::OnInlineResponse(const Ptr<outlook::IItem>& item) {
    const auto self = shared_from_this();
    Log("m_OutlookExplorer_InlineResponse");
    mailListener_->SetupListenerForNewItem(item);
}

void MailExplorerListener::OnClose() {
    // Leaving the registry may drop the last reference while this handler runs.
    const auto self = shared_from_this();
    Log("m_OutlookExplorer_Close");
    IgnoreErrors([&] { Globals::RemoveEventListener(self); });
}

}  // namespace ostrellix::addin

#include "compose/DocumentViewer.h"

#include "contracts/kelo/Codes.h"
#include "contracts/mapi/Constants.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/IMeetingItem.h"
#include "contracts/outlook/INameSpace.h"
#include "contracts/outlook/ITaskItem.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("DocumentViewer - ");

bool MayChange(const Ptr<kelo::IDocument>& document) {
    return (document->State() & kelo::documentstate::ReadOnly) == 0;
}

std::string KindOf(const Ptr<outlook::IItem>& item) {
    if (Is<outlook::IMailItem>(item)) return "MailItem";
    if (Is<outlook::IMeetingItem>(item)) return "MeetingItem";
    if (Is<outlook::ITaskItem>(item)) return "TaskItem";
    if (Is<outlook::IContactItem>(item)) return "ContactItem";
    return {};
}

}  // namespace

DocumentViewer::~DocumentViewer() { Release(); }

void DocumentViewer::Display(const Ptr<kelo::IDocument>& document) {
    const std::string filename = Must(document).Filename();
    Log("Display: ID=" + std::to_string(document->ID()) + ", Filename=" + filename);
    Shutdown();
    if (filename.empty()) return;
    message_ = CreateTemporaryMessage(filename);
    DisableSync(message_);
    message_->SetSent(!MayChange(document) || !Must(Globals::Options()).AllowEditMessages());
    message_->Save();
    document_ = document;
    m_MailItem = Globals::Outlook()->Session()->GetItemFromID(message_->EntryID());
    m_MailItem->Display();
    IgnoreErrors([&] { Hook(); });
    Globals::AddEventListener(shared_from_this());
}

void DocumentViewer::PrintOut(const Ptr<kelo::IDocument>& document) {
    const auto message = CreateTemporaryMessage(Must(document).Filename());
    message->Printout();
    IgnoreErrors([&] { message->Delete(); });
}

void DocumentViewer::DisableSync(Ptr<mapi::IMessage>& message) {
    IgnoreErrors([&] {
        const auto properties = message->UserProperties();
        const auto mark = properties->Find("GUID");
        if (mark && !mark->Value().ToString().empty()) return;
        properties->Add("GUID", outlook::olText)->SetValue(Variant(Globals::Application()->Utility()->NewGuid()));
    });
}

Ptr<mapi::IMessage> DocumentViewer::CreateTemporaryMessage(std::string_view filename) {
    const auto drafts = Globals::Redemption()->GetDefaultFolder(outlook::olFolderDrafts);
    const auto message = drafts->Items()->Add("IPM.Note");
    message->Import(filename, mapi::olMSG);
    return message;
}

void DocumentViewer::Hook() {
    kind_ = KindOf(m_MailItem);
    if (kind_.empty()) return;
    auto& events = m_MailItem->Events();
    connections_.push_back(events.Send.Connect([this](bool&) { OnItemEvent("Send"); }));
    connections_.push_back(events.Write.Connect([this](bool&) { OnItemEvent("Write"); }));
    connections_.push_back(events.Close.Connect([this](bool&) { OnItemEvent("Close"); }));
}

void DocumentViewer::OnItemEvent(std::string_view event) {
    // Shutdown leaves the registry, which may hold the last reference.
    const auto self = shared_from_this();
    Log("m_MailItem_ObjectEvent - " + kind_ + " - " + std::string(event));
    Trap(
        [&] {
            if (event == "Send") {
                sent_ = true;
            } else if (event == "Write") {
                if (MayChange(document_)) {
                    written_ = true;
                    message_->SaveAs(document_->Filename(), mapi::olMSG);
                }
            } else {
                if (written_) document_->Update(kelo::documentupdate::Commit);
                Shutdown();
            }
        },
        [](const ComError& error) { Tools::LogError(error, "DocumentViewer.m_MailItem_ObjectEvent"); });
}

void DocumentViewer::Shutdown() {
    Log("Shutdown");
    Release();
    IgnoreErrors([&] { Globals::RemoveEventListener(shared_from_this()); });
}

void DocumentViewer::Release() {
    IgnoreErrors([&] {
        if (message_ && !sent_) message_->Delete();
    });
    message_.reset();
    connections_.clear();
    m_MailItem.reset();
    IgnoreErrors([&] { ReleaseDocument(); });
    document_.reset();
    sent_ = false;
    written_ = false;
}

void DocumentViewer::ReleaseDocument() {
    if (!document_) return;
    // A read-only document's file was only ever a copy to look at: give it
    // up. A writable one keeps its file, which holds what the user saved.
    if (!MayChange(document_)) document_->Update(kelo::documentupdate::Release);
}

}  // namespace ostrellix::addin

#include "standins/mapi/Session.h"

#include "standins/mapi/AddressBook.h"
#include "standins/mapi/AddressEntry.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/FileImport.h"
#include "standins/mapi/Folder.h"
#include "standins/mapi/Message.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Profile.h"

namespace ostrellix::standin::mapi {

const Ptr<SessionLink>& Session::Link() const {
    if (!link_) {
        errors::Raise(errors::kNotLoggedOn,
                      "The session is not logged on: set its MAPIOBJECT to Outlook's Session.MAPIOBJECT first.");
    }
    link_->Profile();
    return link_;
}

ObjectPtr Session::MAPIOBJECT() { return link_ ? link_->Logon() : nullptr; }

void Session::SetMAPIOBJECT(const ObjectPtr& mapiObject) {
    auto logon = As<outlook::MapiLogon>(mapiObject);
    if (!logon) {
        errors::Raise(errors::kInvalidArgument, "MAPIOBJECT must be the MAPIOBJECT of a running Outlook's session.");
    }
    auto link = std::make_shared<SessionLink>(std::move(logon));
    link->Profile();
    link_ = std::move(link);
}

bool Session::LoggedOn() { return link_ && link_->Connected(); }

Ptr<api::IMessage> Session::GetMessageFromID(std::string_view entryId) {
    const Ptr<SessionLink>& link = Link();
    std::optional<outlook::StoredMessage> stored = link->Profile().Store().Load(entryId);
    if (!stored) errors::Raise(errors::kNotFound, "No message has the EntryID \"" + std::string(entryId) + "\".");
    ++link->Profile().Store().Counters().mapiOpens;
    return Message::Open(MessageState::Stored(link, std::move(*stored)));
}

Ptr<api::IAddressEntry> Session::GetAddressEntryFromID(std::string_view entryId) {
    const Ptr<SessionLink>& link = Link();
    const auto entry = link->Profile().Book().Find(entryId);
    if (!entry) errors::Raise(errors::kNotFound, "No address entry has the EntryID \"" + std::string(entryId) + "\".");
    return std::make_shared<AddressEntry>(link, *entry);
}

Ptr<api::IAddressBook> Session::AddressBook() { return std::make_shared<mapi::AddressBook>(Link()); }

Ptr<api::IFolder> Session::GetDefaultFolder(std::int32_t folderType) {
    const Ptr<SessionLink>& link = Link();
    outlook::Profile& profile = link->Profile();
    return std::make_shared<Folder>(link, profile.Store().DefaultFolder(profile.Mailbox(), folderType).entryId);
}

Ptr<api::IFolder> Session::GetFolderFromID(std::string_view entryId) {
    const Ptr<SessionLink>& link = Link();
    const auto folder = link->Profile().Store().Folder(entryId);
    if (!folder) errors::Raise(errors::kNotFound, "No folder has the EntryID \"" + std::string(entryId) + "\".");
    return std::make_shared<Folder>(link, folder->entryId);
}

Ptr<api::IMessage> Session::GetMessageFromMsgFile(std::string_view path, bool createNew) {
    const Ptr<SessionLink>& link = Link();
    const std::filesystem::path file{std::string(path)};
    msg::MessageData data;
    if (createNew) {
        data.properties.Set(msg::tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
        data.properties.Set(msg::tag::PR_MESSAGE_FLAGS, Variant(msg::MSGFLAG_UNSENT | msg::MSGFLAG_READ));
        msg::MsgWriter::WriteFile(data, file, link->FileHost());
    } else {
        data = FileImport::ReadMsg(file, link->FileHost());
    }
    return Message::Open(MessageState::InFile(link, file, std::move(data)));
}

Ptr<api::IAddressEntry> Session::CurrentUser() {
    const Ptr<SessionLink>& link = Link();
    return std::make_shared<AddressEntry>(link, link->Profile().Book().CurrentUser());
}

}  // namespace ostrellix::standin::mapi

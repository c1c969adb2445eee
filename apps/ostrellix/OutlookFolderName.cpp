#include "apps/ostrellix/OutlookFolderName.h"

#include <array>
#include <utility>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IFolders.h"
#include "contracts/outlook/INameSpace.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix::host {

namespace {

constexpr std::array<std::pair<const char*, std::int32_t>, 8> kDefaultFolders{{
    {"Inbox", outlook::olFolderInbox},
    {"Outbox", outlook::olFolderOutbox},
    {"Sent Items", outlook::olFolderSentMail},
    {"Drafts", outlook::olFolderDrafts},
    {"Deleted Items", outlook::olFolderDeletedItems},
    {"Calendar", outlook::olFolderCalendar},
    {"Contacts", outlook::olFolderContacts},
    {"Tasks", outlook::olFolderTasks},
}};

[[noreturn]] void NoSuchFolder(const std::string& name) {
    std::string known;
    for (const auto& [folder, type] : kDefaultFolders) known += std::string(known.empty() ? "" : ", ") + folder;
    throw ComError(errors::InvalidProcedureCall, "ostrellix",
                   "There is no folder \"" + name + "\" (name a default folder: " + known +
                       "; a folder below one, Inbox\\Projects; or a full path, \\\\Mailbox - NAME\\Inbox)");
}

}  // namespace

Ptr<outlook::IFolder> OutlookFolderName::Find(Machine& machine, const std::string& name) {
    const auto session = machine.Outlook().Running()->Session();
    if (name.starts_with("\\\\")) {
        const auto stored = machine.OutlookProfile().Store().FolderByPath(name);
        if (!stored) NoSuchFolder(name);
        return session->GetFolderFromID(stored->entryId);
    }
    const auto names = text::Split(text::Replace(name, "/", "\\"), "\\");
    Ptr<outlook::IFolder> folder;
    for (const auto& [known, type] : kDefaultFolders) {
        if (text::EqualsIgnoreCase(names.front(), known)) folder = session->GetDefaultFolder(type);
    }
    for (std::size_t i = 1; folder && i < names.size(); ++i) folder = folder->Folders()->Item(names[i]);
    if (!folder) NoSuchFolder(name);
    return folder;
}

}  // namespace ostrellix::host

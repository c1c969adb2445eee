#include "apps/ostrellix/OutlookActions.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "apps/ostrellix/ActionEffects.h"
#include "apps/ostrellix/Mistake.h"
#include "apps/ostrellix/OutgoingMailCapture.h"
#include "apps/ostrellix/OutlookFolderName.h"
#include "apps/ostrellix/OutlookItemView.h"
#include "apps/ostrellix/TypedValue.h"
#include "apps/ostrellix/RecordWindows.h"
#include "contracts/office/ICommandBar.h"
#include "contracts/office/ICommandBarButton.h"
#include "contracts/office/ICommandBars.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IAttachments.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IInspectors.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/IDispatch.h"
#include "runtime/Text.h"
#include "standins/message/FileIo.h"
#include "standins/outlook/CommandBar.h"
#include "standins/outlook/CommandBarButton.h"
#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::host {

namespace {

namespace ol = outlook;
using standin::outlook::SimulatedUser;

constexpr std::uint64_t kMaxAttachmentBytes = 64u << 20;

Ptr<ol::IApplication> Outlook(Host& host) {
    const auto running = host.TheMachine().Outlook().Running();
    return running ? running : host.TheMachine().StartOutlook();
}

// Outlook finds nothing for an EntryID it does not know; for the user that is a failed action.
Ptr<ol::IItem> ItemOf(Host& host, const std::string& entryId) {
    const auto item = Outlook(host)->Session()->GetItemFromID(entryId);
    if (!item) throw ComError(errors::ElementNotFound, "Outlook", "There is no item with EntryID " + entryId);
    return item;
}

void RequireFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (!std::filesystem::is_regular_file(path)) Mistake("There is no file " + path + " to attach");
    }
}

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : separator) + part;
    return joined;
}

bool StillOpen(const Ptr<ol::IApplication>& outlook, const Ptr<ol::IInspector>& window) {
    const auto windows = outlook->Inspectors();
    for (std::int32_t i = 1; i <= windows->Count(); ++i) {
        if (SameObject(windows->Item(i), window)) return true;
    }
    return false;
}

std::vector<Ptr<office::ICommandBarButton>> Buttons(const Ptr<ol::IInspector>& window) {
    std::vector<Ptr<office::ICommandBarButton>> buttons;
    if (const auto bar = As<standin::outlook::CommandBar>(window->CommandBars()->Item("Standard"))) {
        for (const auto& button : bar->Controls()) buttons.push_back(button);
    }
    return buttons;
}

void PrintWindows(const std::vector<RecordWindows::Window>& windows, ActionOutput& output) {
    for (const auto& window : windows) {
        output.Result(RecordWindows::Json(window), [&](std::ostream& out) { RecordWindows::Print(window, out); });
    }
}

}  // namespace

OutlookActions::OutlookActions(ActionGroup& group) {
    auto& list = group.Add("list", "The items of a folder with their EntryID, kind, subject and Kelo marks",
                           [this](Host& host, ActionOutput& output) { return List(host, output); });
    list.add_option("folder", folder_,
                    "Inbox (default), Sent Items, Drafts, Deleted Items, Calendar, Tasks, Contacts, Outbox, a folder "
                    "below one (Inbox\\Projects) or a full path (\\\\Mailbox - NAME\\Inbox)");

    auto& show = group.Add("show", "One item: sender, recipients, dates, start of the body, attachments, marks",
                           [this](Host& host, ActionOutput& output) { return Show(host, output); });
    show.add_option("entryid", entryId_, "The item's EntryID (from list)")->required();

    auto& receive = group.Add("receive", "A mail arrives in the Inbox, delivered from outside",
                              [this](Host& host, ActionOutput& output) { return Receive(host, output); });
    receive.add_option("--from", from_, "The sender's address")->required();
    receive.add_option("--from-name", fromName_, "The sender's name (default: the address)");
    receive.add_option("--subject", subject_, "Subject")->required();
    receive.add_option("--body", body_, "Body text");
    receive.add_option("--to", to_, "A recipient (default: the Outlook user); repeat for more");
    receive.add_option("--attach", attachments_, "A file attached; repeat for more");

    auto& compose = group.Add("compose", "The user writes a new mail: saved in Drafts, or sent with --send",
                              [this](Host& host, ActionOutput& output) { return Compose(host, output); });
    compose.add_option("--to", to_, "A recipient, address or name; repeat for more")->required();
    compose.add_option("--cc", cc_, "A copy recipient; repeat for more");
    compose.add_option("--subject", subject_, "Subject")->required();
    compose.add_option("--body", body_, "Body text");
    compose.add_option("--attach", attachments_, "A file attached; repeat for more");
    compose.add_flag("--send", send_,
                     "Send it (otherwise it is saved in Drafts) and wait for the add-in to file it in Kelo as "
                     "SaveOutgoingMailFromOutlookMode says");
    compose.add_flag("--save-windows", saveWindows_,
                     "Save the record windows the add-in opens (otherwise they are closed unsaved)");

    auto& edit = group.Add("edit", "Type new values into an item's window; --save keeps them",
                           [this](Host& host, ActionOutput& output) { return Edit(host, output); });
    edit.add_option("entryid", entryId_, "The item's EntryID")->required();
    edit.add_option("--set", settings_,
                    "PROPERTY=VALUE by the property's Outlook name (Subject, Body, Start, End, Location, "
                    "Categories ...); dates as \"YYYY-MM-DD hh:mm\"; repeat for more")
        ->required();
    edit.add_flag("--save", save_, "Save the item (otherwise the changes are discarded when the window closes)");

    auto& open = group.Add("open", "Open an item's window, list its buttons (tag, caption), click one, close it",
                           [this](Host& host, ActionOutput& output) { return Open(host, output); });
    open.add_option("entryid", entryId_, "The item's EntryID")->required();
    open.add_option("--click", click_, "Click the button with this tag");
    open.add_flag("--save-windows", saveWindows_,
                  "Save the record windows the click opens (otherwise they are closed unsaved)");

    auto& remove = group.Add("delete", "Delete an item as the Delete key does (it moves to Deleted Items)",
                             [this](Host& host, ActionOutput& output) { return Delete(host, output); });
    remove.add_option("entryid", entryId_, "The item's EntryID")->required();

    auto& saveAs = group.Add("save-as", "Save a mail as an Outlook message file (.msg), as File > Save As does",
                             [this](Host& host, ActionOutput& output) { return SaveAs(host, output); });
    saveAs.add_option("entryid", entryId_, "The mail's EntryID")->required();
    saveAs.add_option("file", file_, "The file to write")->required();
}

int OutlookActions::List(Host& host, ActionOutput& output) {
    Outlook(host);
    const auto folder = OutlookFolderName::Find(host.TheMachine(), folder_);
    const auto items = folder->Items();
    const std::int32_t count = items->Count();
    if (!output.Json()) {
        output.Note() << folder->Name() << " (" << folder->FolderPath() << "): " << count
                      << (count == 1 ? " item" : " items") << "\n";
    }
    for (std::int32_t i = 1; i <= count; ++i) {
        OutlookItemView view(items->Item(i));
        output.Result(view.Summary(), [&](std::ostream& out) { view.PrintLine(out << "  "); });
    }
    return 0;
}

int OutlookActions::Show(Host& host, ActionOutput& output) {
    OutlookItemView view(ItemOf(host, entryId_));
    output.Result(view.Details(), [&](std::ostream& out) { view.PrintDetails(out); });
    return 0;
}

int OutlookActions::Receive(Host& host, ActionOutput& output) {
    RequireFiles(attachments_);
    standin::outlook::IncomingMail mail;
    mail.fromAddress = from_;
    mail.fromName = fromName_.empty() ? from_ : fromName_;
    mail.subject = subject_;
    mail.body = body_;
    mail.to = to_;
    for (const std::string& path : attachments_) {
        const auto bytes = standin::message::FileIo::ReadAll(path, kMaxAttachmentBytes, "ostrellix");
        mail.attachments.emplace_back(std::filesystem::path(path).filename().string(), Bytes(bytes));
    }
    const auto received = SimulatedUser(Outlook(host)).Receive(mail);
    OutlookItemView view(received);
    output.Result({{"action", "receive"}, {"item", view.Summary()}}, [&](std::ostream& out) {
        view.PrintLine(out << "Received in the Inbox: ");
    });
    return 0;
}

int OutlookActions::Compose(Host& host, ActionOutput& output) {
    RequireFiles(attachments_);
    SimulatedUser user(Outlook(host));
    const auto window = user.OpenNew(ol::olMailItem);
    user.Type(window, "To", Variant(Join(to_, "; ")));
    if (!cc_.empty()) user.Type(window, "CC", Variant(Join(cc_, "; ")));
    user.Type(window, "Subject", Variant(subject_));
    if (!body_.empty()) user.Type(window, "Body", Variant(body_));
    const auto mail = window->CurrentItem();
    for (const std::string& path : attachments_) {
        mail->Attachments()->Add(Variant(std::filesystem::absolute(path).string()));
    }
    if (send_) {
        Send(host, user, window, output);
        return 0;
    }
    user.Save(window);
    OutlookItemView view(mail);
    const nlohmann::json saved = {{"action", "save"}, {"item", view.Summary()}};
    user.Close(window, false);
    output.Result(saved, [&](std::ostream& out) { out << "Saved in " << saved["item"]["folder"].get<std::string>()
                                                      << ": " << saved["item"]["entryId"].get<std::string>() << "\n"; });
    return 0;
}

void OutlookActions::Send(Host& host, SimulatedUser& user, const Ptr<ol::IInspector>& window,
                          ActionOutput& output) {
    Machine& machine = host.TheMachine();
    const std::int16_t mode = addin::Globals::Options()->SaveOutgoingMailFromOutlookMode();
    const ActionEffects effects(machine);
    OutgoingMailCapture capture(machine);
    RecordWindows windows(machine);
    user.PressSend(window);
    output.Result({{"action", "send"}, {"subject", subject_}, {"to", to_}}, [&](std::ostream& out) {
        out << "Sent \"" << subject_ << "\" to " << Join(to_, "; ") << "\n";
    });
    capture.WaitForFiling();
    const auto opened = windows.Finish(saveWindows_);
    PrintWindows(opened, output);
    nlohmann::json filed = nlohmann::json::array();
    for (const auto& record : effects.Records()) {
        if (record.change == ActionEffects::Change::Made) filed.push_back({{"class", record.className}, {"id", record.id}});
    }
    std::string reason;
    if (filed.empty()) {
        const bool windowLeft = std::ranges::any_of(opened, [](const auto& left) { return !left.saved; });
        reason = windowLeft ? "record window opened, not saved" : capture.WhyNotFiled(mode);
    }
    nlohmann::json result = {{"action", "capture"}, {"filed", filed}};
    if (!reason.empty()) result["reason"] = reason;
    output.Result(result, [&](std::ostream& out) {
        for (const auto& record : filed) {
            out << "Filed in Kelo: " << record["class"].get<std::string>() << " " << record["id"].get<std::int32_t>()
                << "\n";
        }
        if (!reason.empty()) out << "Not filed in Kelo: " << reason << "\n";
    });
}

int OutlookActions::Edit(Host& host, ActionOutput& output) {
    std::vector<std::pair<std::string, std::string>> changes;
    for (const std::string& setting : settings_) {
        const auto equals = setting.find('=');
        if (equals == std::string::npos || equals == 0) Mistake("--set takes PROPERTY=VALUE, not \"" + setting + "\"");
        changes.emplace_back(setting.substr(0, equals), setting.substr(equals + 1));
    }
    const auto item = ItemOf(host, entryId_);
    const auto dispatch = As<IDispatch>(item);
    const std::string kind = OutlookItemView(item).Kind();
    std::vector<std::pair<std::string, Variant>> values;
    for (const auto& change : changes) {
        const std::string& name = change.first;
        const std::string& value = change.second;
        Variant current;
        Trap([&] { current = dispatch->Invoke(name, InvokeKind::PropertyGet, {}); },
             [&](const ComError&) { Mistake("A " + kind + " has no property " + name); });
        values.emplace_back(name, TypedValue::FromText(name, current, value));
    }
    SimulatedUser user(Outlook(host));
    const auto window = user.Open(item);
    for (const auto& [name, value] : values) user.Type(window, name, value);
    if (save_) user.Save(window);
    user.Close(window, false);
    output.Result({{"action", "edit"}, {"entryId", entryId_}, {"saved", save_}}, [&](std::ostream& out) {
        out << (save_ ? "Saved " : "Not saved: the changes were discarded when the window closed (--save keeps them) ")
            << entryId_ << "\n";
    });
    return 0;
}

int OutlookActions::Open(Host& host, ActionOutput& output) {
    const auto item = ItemOf(host, entryId_);
    SimulatedUser user(Outlook(host));
    const auto window = user.Open(item);
    const std::string caption = window->Caption();
    nlohmann::json buttons = nlohmann::json::array();
    std::vector<std::string> tags;
    for (const auto& button : Buttons(window)) {
        buttons.push_back({{"tag", button->Tag()}, {"caption", button->Caption()}, {"visible", button->Visible()}});
        tags.push_back(button->Tag());
    }
    output.Result({{"action", "open"}, {"window", caption}, {"buttons", buttons}}, [&](std::ostream& out) {
        out << "Window \"" << caption << "\"" << (buttons.empty() ? ": no buttons" : "") << "\n";
        for (const auto& button : buttons) {
            out << "  " << button["tag"].get<std::string>() << "  " << button["caption"].get<std::string>()
                << (button["visible"].get<bool>() ? "" : "  (hidden)") << "\n";
        }
    });
    if (click_ && std::ranges::find(tags, *click_) == tags.end()) {
        user.Close(window, false);
        Mistake("The window has no button tagged \"" + *click_ + "\"" +
                (tags.empty() ? std::string(" (it has none)") : " (its tags: " + Join(tags, ", ") + ")"));
    }
    if (click_) {
        RecordWindows windows(host.TheMachine());
        user.Click(window, *click_);
        output.Result({{"action", "click"}, {"tag", *click_}},
                      [&](std::ostream& out) { out << "Clicked " << *click_ << "\n"; });
        PrintWindows(windows.Finish(saveWindows_), output);
    }
    // The window closes as the user closes it; a click may have closed it already.
    if (StillOpen(Outlook(host), window)) user.Close(window, false);
    return 0;
}

int OutlookActions::Delete(Host& host, ActionOutput& output) {
    const auto item = ItemOf(host, entryId_);
    OutlookItemView view(item);
    const nlohmann::json deleted = view.Summary();
    SimulatedUser(Outlook(host)).Delete(item);
    output.Result({{"action", "delete"}, {"item", deleted}}, [&](std::ostream& out) {
        out << "Deleted " << entryId_ << " from " << deleted["folder"].get<std::string>() << "\n";
    });
    return 0;
}

int OutlookActions::SaveAs(Host& host, ActionOutput& output) {
    const auto item = ItemOf(host, entryId_);
    const auto mail = As<ol::IMailItem>(item);
    if (!mail) Mistake("Only a mail is saved as a message file; " + entryId_ + " is a " + OutlookItemView(item).Kind());
    const std::string path = std::filesystem::absolute(file_).string();
    mail->SaveAs(path, ol::olMSG);
    output.Result({{"action", "save-as"}, {"entryId", entryId_}, {"file", path}},
                  [&](std::ostream& out) { out << "Saved " << entryId_ << " as " << path << "\n"; });
    return 0;
}

}  // namespace ostrellix::host

#include "standins/outlook/SimulatedUser.h"

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Application.h"
#include "standins/outlook/Attachments.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Explorer.h"
#include "standins/outlook/Folder.h"
#include "standins/outlook/Inspector.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::outlook {

namespace {

namespace tag = msg::tag;

Ptr<Item> OurItem(const Ptr<ol::IItem>& item) {
    auto ours = As<Item>(item);
    if (!ours) errors::Raise(errors::kInvalidArgument, "The simulated user can only work with items of this Outlook.");
    return ours;
}

Ptr<Item> Shown(const Ptr<ol::IInspector>& inspector) {
    if (!inspector) errors::Raise(errors::kInvalidArgument, "There is no window.");
    return OurItem(inspector->CurrentItem());
}

}  // namespace

SimulatedUser::SimulatedUser(const Ptr<ol::IApplication>& outlook) : outlook_(outlook) {
    const auto application = As<Application>(outlook);
    if (!application) errors::Raise(errors::kInvalidArgument, "The simulated user needs this stand-in's Outlook.");
    instance_ = application->Run();
}

Ptr<ol::IInspector> SimulatedUser::Open(const Ptr<ol::IItem>& item) {
    const auto action = instance_->Enter();
    OurItem(item)->Display(false);
    return item->GetInspector();
}

Ptr<ol::IInspector> SimulatedUser::OpenNew(std::int32_t itemType, const Ptr<ol::IFolder>& folder) {
    const auto action = instance_->Enter();
    const Ptr<ol::IItem> item = folder ? folder->Items()->Add(itemType) : outlook_->CreateItem(itemType);
    return Open(item);
}

Ptr<ol::IInspector> SimulatedUser::OpenNew(const Ptr<ol::IExplorer>& explorer) {
    const auto action = instance_->Enter();
    const Ptr<ol::IFolder> folder = explorer->CurrentFolder();
    return OpenNew(folder->DefaultItemType(), folder);
}

void SimulatedUser::Type(const Ptr<ol::IInspector>& inspector, std::string_view field, const Variant& value) {
    const auto action = instance_->Enter();
    Shown(inspector)->SetProperty(field, value);
}

void SimulatedUser::Save(const Ptr<ol::IInspector>& inspector) {
    const auto action = instance_->Enter();
    Shown(inspector)->Save();
}

void SimulatedUser::PressSend(const Ptr<ol::IInspector>& inspector) {
    const auto action = instance_->Enter();
    const Ptr<Item> item = Shown(inspector);
    item->Invoke("Send", InvokeKind::Method, {});
}

void SimulatedUser::Close(const Ptr<ol::IInspector>& inspector, bool saveChanges) {
    const auto action = instance_->Enter();
    if (!inspector) errors::Raise(errors::kInvalidArgument, "There is no window.");
    inspector->Close(saveChanges ? ol::olSave : ol::olDiscard);
}

void SimulatedUser::Click(const Ptr<ol::IInspector>& inspector, std::string_view tag) {
    const auto action = instance_->Enter();
    const Ptr<office::ICommandBar> bar = inspector->CommandBars()->Item("Standard");
    const Ptr<office::ICommandBarButton> button = bar ? bar->FindControl(tag) : nullptr;
    if (!button) {
        errors::Raise(errors::kNotFound, "The window \"" + inspector->Caption() + "\" has no button tagged \"" +
                                             std::string(tag) + "\".");
    }
    button->Execute();
}

Ptr<ol::IExplorer> SimulatedUser::OpenExplorer(const Ptr<ol::IFolder>& folder) {
    const auto action = instance_->Enter();
    const Ptr<ol::IExplorer> explorer = folder->GetExplorer(0);
    explorer->Display();
    return explorer;
}

void SimulatedUser::ShowFolder(const Ptr<ol::IExplorer>& explorer, const Ptr<ol::IFolder>& folder) {
    const auto action = instance_->Enter();
    explorer->SetCurrentFolder(folder);
}

Ptr<ol::IItem> SimulatedUser::TypeIntoView(const Ptr<ol::IExplorer>& explorer, std::string_view subject) {
    const auto action = instance_->Enter();
    const Ptr<ol::IFolder> folder = explorer->CurrentFolder();
    const Ptr<ol::IItem> item = folder->Items()->Add(folder->DefaultItemType());
    item->SetSubject(subject);
    item->Save();
    return item;
}

void SimulatedUser::Select(const Ptr<ol::IExplorer>& explorer, const std::vector<Ptr<ol::IItem>>& items) {
    const auto action = instance_->Enter();
    const auto ours = As<Explorer>(explorer);
    if (!ours) errors::Raise(errors::kInvalidArgument, "The simulated user can only work with windows of this Outlook.");
    std::vector<Ptr<Item>> selected;
    for (const Ptr<ol::IItem>& item : items) selected.push_back(OurItem(item));
    ours->Select(selected);
}

Ptr<ol::IMailItem> SimulatedUser::WriteInline(const Ptr<ol::IExplorer>& explorer, const Ptr<ol::IMailItem>& mail,
                                              Answer answer) {
    const auto action = instance_->Enter();
    const auto ours = As<Explorer>(explorer);
    if (!ours) errors::Raise(errors::kInvalidArgument, "The simulated user can only work with windows of this Outlook.");
    const Ptr<ol::IMailItem> response = answer == Answer::Reply      ? mail->Reply()
                                        : answer == Answer::ReplyAll ? mail->ReplyAll()
                                                                     : mail->Forward();
    ours->StartInlineResponse(OurItem(response));
    return response;
}

void SimulatedUser::Delete(const Ptr<ol::IItem>& item) {
    const auto action = instance_->Enter();
    const Ptr<Item> ours = OurItem(item);
    const Ptr<ol::IFolder> deletedItems = outlook_->Session()->GetDefaultFolder(ol::olFolderDeletedItems);
    if (ours->StoredId().empty() || text::EqualsIgnoreCase(ours->FolderId(), deletedItems->EntryID())) {
        item->Delete();
        return;
    }
    if (const Ptr<Inspector> window = ours->ShowingInspector()) window->Close(ol::olDiscard);
    item->Move(deletedItems);
}

void SimulatedUser::Drag(const Ptr<ol::IItem>& item, const Ptr<ol::IFolder>& folder) {
    const auto action = instance_->Enter();
    item->Move(folder);
}

Ptr<ol::IItem> SimulatedUser::CopyAndPaste(const Ptr<ol::IItem>& item) {
    const auto action = instance_->Enter();
    const Ptr<Item> original = OurItem(item);
    if (original->StoredId().empty()) errors::Raise(errors::kInvalidArgument, "Only a stored item can be copied.");
    msg::MessageData data = original->Read();
    data.properties.Remove(tag::PR_CREATION_TIME);
    data.properties.Remove(tag::PR_LAST_MODIFICATION_TIME);
    const Ptr<Item> copy = instance_->NewItem(std::move(data), original->FolderId());
    copy->Save();
    return copy;
}

void SimulatedUser::SaveAsColleague(const Ptr<ol::IItem>& item, std::string_view colleagueAddress) {
    const auto action = instance_->Enter();
    const Ptr<Item> ours = OurItem(item);
    if (!ours->StoredId().empty()) errors::Raise(errors::kInvalidArgument, "The item was stored before.");
    const std::optional<AddressEntryData> colleague = instance_->Book().FindByAddress(colleagueAddress);
    if (!colleague) {
        errors::Raise(errors::kNotFound, "The address book has no \"" + std::string(colleagueAddress) + "\".");
    }
    msg::PropertyBag& bag = ours->Edit().properties;
    AddressBook::FillSender(bag, *colleague);
    AddressBook::FillRepresenting(bag, *colleague);
    ours->Save();
}

Ptr<ol::IMailItem> SimulatedUser::ComposeAndSend(std::string_view to, std::string_view subject,
                                                 std::string_view body) {
    const auto action = instance_->Enter();
    const Ptr<ol::IInspector> inspector = OpenNew(ol::olMailItem);
    Type(inspector, "To", Variant(to));
    Type(inspector, "Subject", Variant(subject));
    Type(inspector, "Body", Variant(body));
    const auto mail = As<ol::IMailItem>(inspector->CurrentItem());
    PressSend(inspector);
    return mail;
}

Ptr<ol::IMailItem> SimulatedUser::Receive(const IncomingMail& mail) {
    const auto action = instance_->Enter();
    instance_->Check();
    Profile& profile = instance_->Settings();
    msg::MessageData data;
    msg::PropertyBag& bag = data.properties;
    const Date now = profile.Clock().Now();
    bag.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    bag.Set(tag::PR_SUBJECT, Variant(mail.subject));
    bag.Set(tag::PR_BODY, Variant(mail.body));
    if (!mail.htmlBody.empty()) bag.Set(tag::PR_BODY_HTML, Variant(mail.htmlBody));
    bag.Set(mapi::tag::PR_NATIVE_BODY_INFO,
            Variant(mail.htmlBody.empty() ? mapi::NativeBodyPlain : mapi::NativeBodyHtml));
    const AddressEntryData sender = profile.Book().FindByAddress(mail.fromAddress)
                                        .value_or(AddressBook::OneOff(mail.fromName, mail.fromAddress));
    AddressBook::FillSender(bag, sender);
    AddressBook::FillRepresenting(bag, sender);
    bag.Set(tag::PR_CLIENT_SUBMIT_TIME, Variant(now));
    bag.Set(tag::PR_MESSAGE_DELIVERY_TIME, Variant(now));
    bag.Set(tag::PR_MESSAGE_FLAGS, Variant(0));
    const AddressEntryData user = profile.Book().CurrentUser();
    bool toMe = false, ccMe = false;
    auto addRecipients = [&](const std::vector<std::string>& names, std::int32_t type, bool& me) {
        for (const std::string& name : names) {
            const AddressEntryData entry = profile.Book().Resolve(name).value_or(AddressBook::OneOff(name, name));
            const std::int32_t rowId = RecipientTable::Add(data, entry.name, type);
            AddressBook::FillRecipient(RecipientTable::Find(data, rowId)->properties, entry);
            me = me || text::EqualsIgnoreCase(entry.smtpAddress, user.smtpAddress);
        }
    };
    addRecipients(mail.to.empty() ? std::vector<std::string>{user.smtpAddress} : mail.to, ol::olTo, toMe);
    addRecipients(mail.cc, ol::olCC, ccMe);
    bag.Set(tag::PR_MESSAGE_TO_ME, Variant(toMe));
    bag.Set(tag::PR_MESSAGE_CC_ME, Variant(ccMe));
    bag.Set(tag::PR_RECEIVED_BY_NAME, Variant(user.name));
    for (const auto& [fileName, bytes] : mail.attachments) {
        Attachments::Append(data, Attachments::FileAttachment(fileName, bytes));
    }
    MessageStore& store = profile.Store();
    const FolderInfo inbox = store.DefaultFolder(instance_->Mailbox(), ol::olFolderInbox);
    const std::string entryId = store.NewEntryId(inbox.entryId);
    store.Create(inbox.entryId, entryId, data);
    return As<ol::IMailItem>(instance_->ItemFor(entryId));
}

void SimulatedUser::WillPickFolder(const Ptr<ol::IFolder>& folder) {
    instance_->Answers().QueueFolder(folder->EntryID());
}

void SimulatedUser::WillCancelFolderPicker() { instance_->Answers().QueueFolder(std::nullopt); }

void SimulatedUser::WillChooseNames(std::vector<NamePick> picks) { instance_->Answers().QueueNames(std::move(picks)); }

void SimulatedUser::WillCancelSelectNames() { instance_->Answers().QueueNames(std::nullopt); }

void SimulatedUser::WillAnswerSavePrompt(bool save) { instance_->Answers().QueueSavePrompt(save); }

const std::vector<std::string>& SimulatedUser::Printed() const { return instance_->Settings().Printed(); }

}  // namespace ostrellix::standin::outlook

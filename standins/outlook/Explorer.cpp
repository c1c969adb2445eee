#include "standins/outlook/Explorer.h"

#include "runtime/ErrorHandling.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Folder.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/Selection.h"

namespace ostrellix::standin::outlook {

Explorer::Explorer(Ptr<Instance> instance, std::string folderEntryId)
    : InstanceBound(std::move(instance)), folder_(std::move(folderEntryId)) {}

std::string Explorer::Caption() {
    Instance& outlook = Live();
    const std::optional<FolderInfo> folder = outlook.Store().Folder(folder_);
    return (folder ? folder->name : std::string()) + " - " + outlook.Mailbox().ownerAddress + " - Outlook";
}

Ptr<ol::IFolder> Explorer::CurrentFolder() {
    Live();
    return std::make_shared<Folder>(SharedOwner(), folder_);
}

void Explorer::SetCurrentFolder(const Ptr<ol::IFolder>& folder) {
    const auto call = Entered();
    const auto target = As<Folder>(folder);
    if (!target) errors::Raise(errors::kInvalidArgument, "CurrentFolder needs a folder of this Outlook.");
    folder_ = target->Id();
    selection_.clear();
    events_.FolderSwitch.Raise();
}

Ptr<ol::ISelection> Explorer::Selection() {
    Instance& outlook = Live();
    std::vector<Ptr<ol::IItem>> items;
    for (const std::string& id : selection_) {
        if (Ptr<Item> item = outlook.ItemFor(id)) items.push_back(item);
    }
    return std::make_shared<outlook::Selection>(SharedOwner(), std::move(items));
}

Ptr<ol::IItem> Explorer::ActiveInlineResponse() {
    Live();
    if (inlineResponse_) {
        const bool usable = !IgnoreErrors([&] { inlineResponse_->Read(); });
        if (!usable) inlineResponse_.reset();
    }
    return inlineResponse_;
}

void Explorer::Display() {
    const auto call = Entered();
    if (!open_) errors::Raise(errors::kFailed, "The window has been closed.");
    displayed_ = true;
    Unchecked().OpenWindows().Activate(SelfAs<Explorer>());
}

void Explorer::Close() {
    const auto call = Entered();
    if (!open_) return;
    const Ptr<Explorer> keepAlive = SelfAs<Explorer>();
    Unchecked().OpenWindows().Closed(this);
    open_ = false;
    inlineResponse_.reset();
    events_.Close.Raise();
}

void Explorer::Select(const std::vector<Ptr<Item>>& items) {
    Live();
    selection_.clear();
    for (const Ptr<Item>& item : items) selection_.push_back(item->StoredId());
    events_.SelectionChange.Raise();
}

void Explorer::StartInlineResponse(const Ptr<Item>& item) {
    Live();
    inlineResponse_ = item;
    events_.InlineResponse.Raise(item);
}

}  // namespace ostrellix::standin::outlook

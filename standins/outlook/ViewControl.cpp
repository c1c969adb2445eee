#include "standins/outlook/ViewControl.h"

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/ViewDefinition.h"

namespace ostrellix::standin::outlook {

std::string ViewControl::Folder() {
    Live();
    return path_;
}

void ViewControl::SetFolder(std::string_view folderPath) {
    Instance& outlook = Live();
    if (folderPath.empty()) {
        path_ = folder_ = view_ = xml_ = "";
        return;
    }
    const std::optional<FolderInfo> folder = outlook.Store().FolderByPath(folderPath);
    if (!folder) errors::Raise(errors::kNotFound, "There is no folder \"" + std::string(folderPath) + "\".");
    path_ = folder->path;
    folder_ = folder->entryId;
    const std::vector<ViewInfo> views = outlook.Store().Views(folder_);
    view_ = views.empty() ? std::string() : views.front().name;
    xml_ = views.empty() ? std::string() : views.front().xml;
}

std::string ViewControl::View() {
    Live();
    return view_;
}

void ViewControl::SetView(std::string_view name) {
    Instance& outlook = Live();
    if (!folder_.empty()) {
        for (const ViewInfo& view : outlook.Store().Views(folder_)) {
            if (text::EqualsIgnoreCase(view.name, name)) {
                view_ = view.name;
                xml_ = view.xml;
                return;
            }
        }
    }
    errors::Raise(errors::kNotFound, "The folder shown has no view \"" + std::string(name) + "\".");
}

std::string ViewControl::ViewXML() {
    Live();
    return xml_;
}

void ViewControl::SetViewXML(std::string_view xml) {
    Live();
    ViewDefinition::Validate(xml);
    xml_ = xml;
}

void ViewControl::NewItem(std::int32_t itemType, std::int32_t defaultFolder) {
    Instance& outlook = Live();
    const std::optional<FolderInfo> shown = folder_.empty() ? std::nullopt : outlook.Store().Folder(folder_);
    const std::string target = shown && shown->itemType == itemType && itemType != ol::olMailItem
                                   ? shown->entryId
                                   : outlook.Store().DefaultFolder(outlook.Mailbox(), defaultFolder).entryId;
    outlook.NewItem(itemType, target)->Display(false);
}

void ViewControl::NewMessage() { NewItem(ol::olMailItem, ol::olFolderDrafts); }

void ViewControl::NewAppointment() { NewItem(ol::olAppointmentItem, ol::olFolderCalendar); }

void ViewControl::NewContact() { NewItem(ol::olContactItem, ol::olFolderContacts); }

void ViewControl::NewTask() { NewItem(ol::olTaskItem, ol::olFolderTasks); }

}  // namespace ostrellix::standin::outlook

#include "standins/outlook/Application.h"

#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Explorer.h"
#include "standins/outlook/Explorers.h"
#include "standins/outlook/Inspector.h"
#include "standins/outlook/Inspectors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/MessageFiles.h"
#include "standins/outlook/NameSpace.h"

namespace ostrellix::standin::outlook {

namespace {

std::int32_t DefaultFolderOf(std::int32_t itemType) {
    switch (itemType) {
        case ol::olAppointmentItem: return ol::olFolderCalendar;
        case ol::olContactItem: return ol::olFolderContacts;
        case ol::olTaskItem: return ol::olFolderTasks;
        default: return ol::olFolderDrafts;
    }
}

std::int32_t ItemTypeOf(const std::string& messageClass) {
    const std::string lower = text::LCase(messageClass);
    if (lower.rfind("ipm.appointment", 0) == 0) return ol::olAppointmentItem;
    if (lower.rfind("ipm.contact", 0) == 0) return ol::olContactItem;
    if (lower.rfind("ipm.task", 0) == 0) return ol::olTaskItem;
    return ol::olMailItem;
}

}  // namespace

Application::Application(Ptr<Instance> instance)
    : InstanceBound(instance), session_(std::make_shared<NameSpace>(instance)) {}

Ptr<ol::INameSpace> Application::Session() {
    Live();
    return session_;
}

Ptr<ol::INameSpace> Application::GetNamespace(std::string_view type) {
    Live();
    if (!text::EqualsIgnoreCase(type, "MAPI")) {
        errors::Raise(errors::kInvalidArgument, "There is no namespace \"" + std::string(type) + "\"; use \"MAPI\".");
    }
    return session_;
}

std::string Application::Version() {
    return Live().Settings().Version();
}

Ptr<ol::IItem> Application::CreateItem(std::int32_t itemType) {
    Instance& outlook = Live();
    const FolderInfo folder = outlook.Store().DefaultFolder(outlook.Mailbox(), DefaultFolderOf(itemType));
    return outlook.NewItem(itemType, folder.entryId);
}

Ptr<ol::IItem> Application::CreateItemFromTemplate(std::string_view path) {
    Instance& outlook = Live();
    msg::MessageData data = outlook.Files("Application.CreateItemFromTemplate").ReadMsg(std::string(path), outlook.FileHost());
    // A template makes a new message: one that has not been sent.
    const Variant flags = data.properties.GetValue(msg::tag::PR_MESSAGE_FLAGS);
    data.properties.Set(msg::tag::PR_MESSAGE_FLAGS,
                        Variant((flags.IsEmpty() ? 0 : flags.ToLong()) | message::MSGFLAG_UNSENT | message::MSGFLAG_READ));
    data.properties.Remove(msg::tag::PR_CREATION_TIME);
    data.properties.Remove(msg::tag::PR_LAST_MODIFICATION_TIME);
    const std::int32_t itemType = ItemTypeOf(data.properties.GetValue(msg::tag::PR_MESSAGE_CLASS).ToString());
    const FolderInfo folder = outlook.Store().DefaultFolder(outlook.Mailbox(), DefaultFolderOf(itemType));
    return outlook.NewItem(std::move(data), folder.entryId);
}

Ptr<ol::IInspector> Application::ActiveInspector() { return Live().OpenWindows().ActiveInspector(); }

Ptr<ol::IExplorer> Application::ActiveExplorer() { return Live().OpenWindows().ActiveExplorer(); }

Ptr<ol::IInspectors> Application::Inspectors() {
    Live();
    return std::make_shared<outlook::Inspectors>(SharedOwner());
}

Ptr<ol::IExplorers> Application::Explorers() {
    Live();
    return std::make_shared<outlook::Explorers>(SharedOwner());
}

void Application::Quit() { Live().Quit(); }

}  // namespace ostrellix::standin::outlook

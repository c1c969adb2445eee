#include "standins/outlook/Instance.h"

#include <algorithm>

#include "contracts/outlook/Constants.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/AppointmentItem.h"
#include "standins/outlook/ContactItem.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Explorer.h"
#include "standins/outlook/Identifiers.h"
#include "standins/outlook/Inspector.h"
#include "standins/outlook/MailItem.h"
#include "standins/outlook/MeetingItem.h"
#include "standins/outlook/TaskItem.h"
#include "standins/system/System.h"

namespace ostrellix::standin::outlook {

namespace {

bool StartsWith(const std::string& messageClass, std::string_view prefix) {
    return messageClass.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

Instance::Instance(Profile& profile, MessageFiles* files, system::System& system)
    : profile_(profile), files_(files), system_(system) {}

void Instance::Check(std::string_view member) const {
    if (!running_) errors::RaiseDisconnected();
    if (system_.Faults().Pass(member)) errors::RaiseRpcUnavailable();
}

Instance::Call::Call(Ptr<Instance> instance) : instance_(std::move(instance)) { instance_->folderEvents_.Enter(); }

Instance::Call::~Call() { instance_->folderEvents_.Leave(); }

Instance::Call Instance::Enter() {
    Check();
    return Call(shared_from_this());
}

MessageFiles& Instance::Files(const std::string& member) {
    if (!files_) errors::RaiseNotAvailable(member);
    return *files_;
}

msg::MessageFileHost Instance::FileHost() const {
    system::FaultSwitch& faults = system_.Faults();
    return {system_.AnsiCodePage(), &system_.DebugOutput(), [&faults] { return faults.Pass("WriteFile"); }};
}

Ptr<Item> Instance::Make(std::string folderEntryId, std::string entryId, std::int64_t revision, SharedMessage data) {
    const std::string messageClass =
        text::LCase(data.Read().properties.GetValue(msg::tag::PR_MESSAGE_CLASS).ToString());
    auto self = shared_from_this();
    if (StartsWith(messageClass, "ipm.appointment")) {
        return std::make_shared<AppointmentItem>(self, std::move(folderEntryId), std::move(entryId), revision,
                                                 std::move(data));
    }
    if (StartsWith(messageClass, "ipm.task")) {
        return std::make_shared<TaskItem>(self, std::move(folderEntryId), std::move(entryId), revision,
                                          std::move(data));
    }
    if (StartsWith(messageClass, "ipm.contact")) {
        return std::make_shared<ContactItem>(self, std::move(folderEntryId), std::move(entryId), revision,
                                             std::move(data));
    }
    if (StartsWith(messageClass, "ipm.schedule.meeting")) {
        return std::make_shared<MeetingItem>(self, std::move(folderEntryId), std::move(entryId), revision,
                                             std::move(data));
    }
    return std::make_shared<MailItem>(self, std::move(folderEntryId), std::move(entryId), revision, std::move(data));
}

Ptr<Item> Instance::ItemFor(std::string_view entryId, std::int64_t rowId) {
    Check();
    const std::string key = ids::Normalized(entryId);
    if (const auto found = items_.find(key); found != items_.end()) {
        if (Ptr<Item> item = found->second.lock()) return item;
    }
    std::optional<StoredMessage> stored = Store().Load(key, rowId);
    if (!stored) return nullptr;
    Ptr<Item> item = Make(stored->folderEntryId, stored->entryId, stored->revision, std::move(stored->data));
    Remember(stored->entryId, item);
    return item;
}

bool Instance::Holds(std::string_view entryId) const {
    const auto found = items_.find(ids::Normalized(entryId));
    return found != items_.end() && !found->second.expired();
}

Ptr<Item> Instance::NewItem(std::int32_t itemType, std::string folderEntryId) {
    Check();
    msg::MessageData data;
    switch (itemType) {
        case ol::olMailItem: data = MailItem::NewData(); break;
        case ol::olAppointmentItem: data = AppointmentItem::NewData(Clock().Now()); break;
        case ol::olTaskItem: data = TaskItem::NewData(Book().CurrentUser().name); break;
        case ol::olContactItem: data.properties.Set(msg::tag::PR_MESSAGE_CLASS, Variant("IPM.Contact")); break;
        default:
            errors::Raise(errors::kInvalidArgument,
                          "Items of type " + std::to_string(itemType) + " cannot be made in this Outlook.");
    }
    return Make(std::move(folderEntryId), "", 0, std::move(data));
}

Ptr<Item> Instance::NewItem(msg::MessageData data, std::string folderEntryId) {
    Check();
    return Make(std::move(folderEntryId), "", 0, std::move(data));
}

void Instance::Remember(const std::string& entryId, const Ptr<Item>& item) {
    // Objects nobody holds any more are dropped now and then, not on every call.
    if (items_.size() >= pruneAt_) {
        std::erase_if(items_, [](const auto& entry) { return entry.second.expired(); });
        pruneAt_ = std::max<std::size_t>(64, 2 * items_.size());
    }
    items_[ids::Normalized(entryId)] = item;
}

void Instance::Forget(const std::string& entryId, const Item* item) {
    const auto found = items_.find(ids::Normalized(entryId));
    if (found == items_.end()) return;
    const Ptr<Item> known = found->second.lock();
    if (!known || known.get() == item) items_.erase(found);
}

void Instance::Quit() {
    Check();
    const Ptr<Instance> keepAlive = shared_from_this();
    // Outlook is going away: the windows close whatever their handlers say or raise.
    for (const Ptr<Inspector>& inspector : std::vector<Ptr<Inspector>>(windows_.Inspectors())) {
        IgnoreErrors([&] { inspector->Dismiss(); });
        inspector->Terminate();
    }
    for (const Ptr<Explorer>& explorer : std::vector<Ptr<Explorer>>(windows_.Explorers())) {
        IgnoreErrors([&] { explorer->Close(); });
    }
    Terminate();
    if (onQuit) onQuit();
}

void Instance::Terminate() {
    running_ = false;
    for (const Ptr<Inspector>& inspector : std::vector<Ptr<Inspector>>(windows_.Inspectors())) inspector->Terminate();
    for (const Ptr<Explorer>& explorer : windows_.Explorers()) explorer->Terminate();
    windows_.Clear();
    items_.clear();
    folderEvents_.Clear();
}

}  // namespace ostrellix::standin::outlook

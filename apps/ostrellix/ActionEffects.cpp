#include "apps/ostrellix/ActionEffects.h"

#include <algorithm>
#include <ostream>

#include "apps/ostrellix/ItemKindName.h"
#include "contracts/kelo/Codes.h"
#include "contracts/win/IMessageBox.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Log.h"
#include "standins/message/PropertyTag.h"

namespace ostrellix::host {

namespace {

using standin::kelo::Engine;
using standin::outlook::StoreChange;

// The client's own boxes reach the platform's box with this caption when it asks the user.
constexpr const char* kClientCaption = "Kelo";

const char* Word(ActionEffects::Change change) {
    switch (change) {
        case ActionEffects::Change::Made: return "made";
        case ActionEffects::Change::Changed: return "changed";
        case ActionEffects::Change::Moved: return "moved";
        case ActionEffects::Change::Deleted: return "deleted";
    }
    return "";
}

std::string AnswerWord(std::int32_t answer) {
    switch (answer) {
        case win::mb::AnswerOK: return "OK";
        case win::mb::AnswerCancel: return "Cancel";
        case win::mb::AnswerYes: return "Yes";
        case win::mb::AnswerNo: return "No";
        default: return std::to_string(answer);
    }
}

std::string OneLine(const std::string& text) { return text::Replace(text::Replace(text, "\r\n", " "), "\n", " "); }

std::shared_ptr<standin::kelo::Log> ClientLog(Machine& machine) {
    return As<standin::kelo::Log>(machine.KeloApp().Log());
}

}  // namespace

ActionEffects::ActionEffects(Machine& machine)
    : machine_(machine),
      clientBoxesSeen_(machine.KeloApp().Boxes().History().size()),
      logEntriesBefore_(ClientLog(machine)->Entries().size()) {
    recordChanges_ = machine.Kelo().Data()->RecordChanged.Connect(
        [this](const Engine::RecordChange& change) { OnRecord(change); });
    storeChanges_ = machine.OutlookProfile().Store().Changed.Connect(
        [this](const StoreChange& change) { OnItem(change); });
    platformBoxes_ = machine.System().MessageBox().Shown.Connect(
        [this](const std::string& text, const std::string& caption, std::int32_t flags, std::int32_t answer) {
            OnPlatformBox(text, caption, flags, answer);
        });
}

void ActionEffects::OnRecord(const Engine::RecordChange& change) {
    const auto key = std::pair(change.className, change.id);
    const auto known = records_.find(key);
    if (known == records_.end()) {
        recordOrder_.push_back(key);
        records_[key] = change.kind == Engine::RecordChange::Kind::Added      ? Change::Made
                        : change.kind == Engine::RecordChange::Kind::Modified ? Change::Changed
                                                                              : Change::Deleted;
        return;
    }
    // A record made and changed again is still a record made.
    if (change.kind == Engine::RecordChange::Kind::Removed) known->second = Change::Deleted;
}

void ActionEffects::OnItem(const StoreChange& change) {
    auto& store = machine_.OutlookProfile().Store();
    auto known = items_.find(change.entryId);
    if (known == items_.end()) {
        itemOrder_.push_back(change.entryId);
        const Change first = change.kind == StoreChange::Kind::Added      ? Change::Made
                             : change.kind == StoreChange::Kind::Modified ? Change::Changed
                                                                          : Change::Deleted;
        known = items_.emplace(change.entryId, ItemState{{first, change.entryId, "", "", ""}}).first;
    }
    ItemState& state = known->second;
    if (change.kind == StoreChange::Kind::Removed) {
        state.gone = true;
    } else if (change.kind == StoreChange::Kind::Added && state.gone) {
        // A move is a removal followed by an addition elsewhere.
        state.gone = false;
        if (state.item.change != Change::Made) state.item.change = Change::Moved;
    }
    if (const auto folder = store.Folder(change.folderEntryId)) state.item.folder = folder->name;
    if (change.kind == StoreChange::Kind::Removed) return;
    if (const auto message = store.Load(change.entryId)) {
        const auto& properties = message->data.Read().properties;
        state.item.kind = ItemKindName::Of(properties.GetValue(standin::message::tag::PR_MESSAGE_CLASS).ToString());
        state.item.subject = properties.GetValue(standin::message::tag::PR_SUBJECT).ToString();
    }
}

void ActionEffects::OnPlatformBox(const std::string& text, const std::string& caption, std::int32_t flags,
                                  std::int32_t answer) {
    TakeClientBoxes();
    if (caption == kClientCaption) return;  // kept in the client's own history, taken from there
    messages_.push_back({text, flags, answer});
}

void ActionEffects::TakeClientBoxes() {
    const auto& history = machine_.KeloApp().Boxes().History();
    for (; clientBoxesSeen_ < history.size(); ++clientBoxesSeen_) {
        const auto& shown = history[clientBoxesSeen_];
        messages_.push_back({shown.text, shown.flags, shown.answer});
    }
}

std::vector<ActionEffects::Record> ActionEffects::Records() const {
    std::vector<Record> records;
    for (const auto& key : recordOrder_) records.push_back({records_.at(key), key.first, key.second});
    return records;
}

std::vector<ActionEffects::Item> ActionEffects::Items() const {
    std::vector<Item> items;
    for (const auto& entryId : itemOrder_) {
        const ItemState& state = items_.at(entryId);
        items.push_back(state.item);
        if (state.gone) items.back().change = Change::Deleted;
    }
    return items;
}

std::vector<ActionEffects::Message> ActionEffects::Messages() {
    TakeClientBoxes();
    return messages_;
}

bool ActionEffects::ErrorReported() {
    const auto shown = Messages();
    if (std::ranges::any_of(shown, [](const Message& message) {
            return (message.flags & 0xF0) == win::mb::IconExclamation;
        })) {
        return true;
    }
    const auto entries = ClientLog(machine_)->Entries();
    return std::any_of(entries.begin() + static_cast<std::ptrdiff_t>(std::min(logEntriesBefore_, entries.size())),
                       entries.end(), [](const auto& entry) { return entry.type == kelo::logtype::Error; });
}

void ActionEffects::Print(std::ostream& out) {
    const auto records = Records();
    const auto items = Items();
    const auto messages = Messages();
    if (records.empty() && items.empty() && messages.empty()) {
        out << "No record or item changed, and no message was shown.\n";
        return;
    }
    for (const Record& record : records) {
        out << "record " << Word(record.change) << ": " << record.className << " " << record.id << "\n";
    }
    for (const Item& item : items) {
        out << "item " << Word(item.change) << ": " << item.entryId << " ";
        // An item deleted for good before anything here saw it is known by its EntryID alone.
        if (!item.kind.empty()) out << item.kind << " \"" << item.subject << "\" ";
        out << (item.change == Change::Deleted ? "from " : "in ") << item.folder << "\n";
    }
    for (const Message& message : messages) {
        out << "message: \"" << OneLine(message.text) << "\", answered " << AnswerWord(message.answer) << "\n";
    }
}

std::vector<nlohmann::json> ActionEffects::Json() {
    std::vector<nlohmann::json> objects;
    for (const Record& record : Records()) {
        objects.push_back(
            {{"effect", "record"}, {"change", Word(record.change)}, {"class", record.className}, {"id", record.id}});
    }
    for (const Item& item : Items()) {
        objects.push_back({{"effect", "item"},
                           {"change", Word(item.change)},
                           {"entryId", item.entryId},
                           {"kind", item.kind},
                           {"subject", item.subject},
                           {"folder", item.folder}});
    }
    for (const Message& message : Messages()) {
        objects.push_back({{"effect", "message"}, {"text", message.text}, {"answer", AnswerWord(message.answer)}});
    }
    return objects;
}

}  // namespace ostrellix::host

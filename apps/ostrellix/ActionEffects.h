#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "apps/ostrellix/Machine.h"
#include "runtime/Connection.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/outlook/StoreTypes.h"

namespace ostrellix::host {

// What one user action came to, watched from the moment this is made: the
// Kelo records stored or deleted (class and id), the Outlook items made,
// changed, moved or deleted (EntryID, kind, subject, folder), and the
// message boxes shown with their answers. Changes are folded per record
// and per item: an item made and then moved within the action is one made
// item in the folder where it ended. Told as text lines, or as one JSON
// object per effect.
class ActionEffects {
public:
    enum class Change { Made, Changed, Moved, Deleted };
    struct Record {
        Change change;
        std::string className;
        std::int32_t id = 0;
    };
    struct Item {
        Change change;
        std::string entryId;
        std::string kind;  // ItemKindName
        std::string subject;
        std::string folder;  // where it is now, or was last
    };
    struct Message {
        std::string text;
        std::int32_t flags = 0;
        std::int32_t answer = 0;
    };

    explicit ActionEffects(Machine& machine);
    ActionEffects(const ActionEffects&) = delete;
    ActionEffects& operator=(const ActionEffects&) = delete;

    std::vector<Record> Records() const;
    std::vector<Item> Items() const;
    std::vector<Message> Messages();
    // The add-in reported an error: its error box (ReportError), or an error
    // entry in the Kelo log (LogError, and ReportError of a foreign error).
    bool ErrorReported();

    // A line per effect ("record made: document 12"), or one saying there was none.
    void Print(std::ostream& out);
    // {"effect": "record", "change", "class", "id"}, {"effect": "item",
    // "change", "entryId", "kind", "subject", "folder"}, {"effect":
    // "message", "text", "answer"}.
    std::vector<nlohmann::json> Json();

private:
    struct ItemState {
        Item item;
        bool gone = false;  // removed from its folder and not (yet) stored anywhere else
    };

    void OnRecord(const standin::kelo::Engine::RecordChange& change);
    void OnItem(const standin::outlook::StoreChange& change);
    void OnPlatformBox(const std::string& text, const std::string& caption, std::int32_t flags, std::int32_t answer);
    // The client's own boxes shown since the last look.
    void TakeClientBoxes();

    Machine& machine_;
    std::vector<std::pair<std::string, std::int32_t>> recordOrder_;
    std::map<std::pair<std::string, std::int32_t>, Change> records_;
    std::vector<std::string> itemOrder_;
    std::map<std::string, ItemState> items_;
    std::vector<Message> messages_;
    std::size_t clientBoxesSeen_;
    std::size_t logEntriesBefore_;
    Connection recordChanges_;
    Connection storeChanges_;
    Connection platformBoxes_;
};

}  // namespace ostrellix::host

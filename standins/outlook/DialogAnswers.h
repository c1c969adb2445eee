#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace ostrellix::standin::outlook {

// A name the user picks in the select-names dialog, for one of its
// selectors (olTo, olCC, olBCC).
struct NamePick {
    std::string name;
    std::int32_t type = 1;
};

// The answers the (simulated) user gives to Outlook's dialogs, given in
// advance and used in order. A dialog with no answer waiting is cancelled;
// a save prompt with none is answered No.
class DialogAnswers {
public:
    void QueueFolder(std::optional<std::string> folderEntryId) { folders_.push_back(std::move(folderEntryId)); }
    void QueueNames(std::optional<std::vector<NamePick>> picks) { names_.push_back(std::move(picks)); }
    void QueueSavePrompt(bool save) { savePrompts_.push_back(save); }

    std::optional<std::string> NextFolder() { return Next(folders_).value_or(std::nullopt); }
    std::optional<std::vector<NamePick>> NextNames() { return Next(names_).value_or(std::nullopt); }
    bool NextSavePrompt() { return Next(savePrompts_).value_or(false); }

private:
    template <class T>
    static std::optional<T> Next(std::deque<T>& queue) {
        if (queue.empty()) return std::nullopt;
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> folders_;
    std::deque<std::optional<std::vector<NamePick>>> names_;
    std::deque<bool> savePrompts_;
};

}  // namespace ostrellix::standin::outlook

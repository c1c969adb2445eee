#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "apps/ostrellix/ActionGroup.h"
#include "standins/kelo/client/MenuCommands.h"

namespace ostrellix::host {

// `ostrellix kelo send-contacts|please-call|all-details`: a mail of the
// details of the record in a record window (--context CLASS:ID) or of the
// records selected in a list window (--selection CLASS:ID,ID,...), as the
// business cards of the records, a request to call them (or the persons
// they are about), or all their contact fields. Each prints the mail the
// add-in left open (subject, body, links, the cards it carries) and the
// progress its work dialog showed.
class DetailMailAction {
public:
    explicit DetailMailAction(ActionGroup& group);
    DetailMailAction(const DetailMailAction&) = delete;
    DetailMailAction& operator=(const DetailMailAction&) = delete;

private:
    // The client's menu command, with the window and the recipient it hands over.
    using Command = void (standin::kelo::MenuCommands::*)(const ObjectPtr&, std::string_view);
    void Add(ActionGroup& group, const std::string& name, const std::string& description, Command command);
    int Run(Host& host, ActionOutput& output, const std::string& name, Command command);

    std::optional<std::string> context_, selection_;
    std::string recipient_;
};

}  // namespace ostrellix::host

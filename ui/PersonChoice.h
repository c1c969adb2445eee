#pragma once

#include <optional>
#include <string>

#include "core/Form.h"

namespace ostrellix::addin {

// A person of the address book chosen in a dialog: a box that switches the
// choice on, a text box with the person's name, and a button that picks
// from Outlook's address book. The entry's identifier is kept beside the
// name; typing a name drops it, so that the typed name is looked up.
class PersonChoice {
public:
    PersonChoice(Form& form, std::string useBox, std::string textBox, std::string pickButton)
        : form_(form), useBox_(std::move(useBox)), textBox_(std::move(textBox)), pickButton_(std::move(pickButton)) {}

    // Shows the stored entry: its name when the address book still has it.
    void Load(const std::string& entryId);
    // The name and pick button are offered only while the box is ticked.
    void EnableByBox();
    void Pick();
    void Typed() { entryId_.clear(); }
    // What to store: the kept identifier, the identifier of the typed name,
    // or "" for nobody; nothing when a typed name does not resolve.
    std::optional<std::string> Chosen();

private:
    Form& form_;
    std::string useBox_, textBox_, pickButton_;
    std::string entryId_;
};

}  // namespace ostrellix::addin

#pragma once

#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IItem.h"

namespace ostrellix::addin {

// An Outlook item as the MAPI library sees it: read that way, addresses
// and other guarded properties come without the object model's security
// prompts. The library opens the stored message by EntryID, so an item
// never saved (no EntryID yet) is saved first. Nothing else is saved: an
// item's pending changes stay the user's until someone saves it, and the
// library reads the item as it is stored.
class MapiView {
public:
    static Ptr<mapi::IMessage> Open(const Ptr<outlook::IItem>& item);

    template <class T>
    static Ptr<T> OpenAs(const Ptr<outlook::IItem>& item) {
        auto typed = As<T>(Open(item));
        if (!typed) Mismatch();
        return typed;
    }

private:
    [[noreturn]] static void Mismatch();
};

}  // namespace ostrellix::addin

#pragma once

#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IItem.h"

namespace ostrellix::addin {

// An Outlook item as the MAPI library sees it: read that way, addresses
// and other guarded properties come without the object model's security
// prompts. The library opens the stored message by EntryID, so an item
// never saved (no EntryID yet) is saved first, and so is one with pending
// changes: otherwise a checksum taken right after a mapping would describe
// the item as it was, and the pair would look changed on the next run.
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

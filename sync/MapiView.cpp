#include "sync/MapiView.h"

#include "core/Globals.h"
#include "runtime/ComError.h"
#include "sync/OpenedMessages.h"

namespace ostrellix::addin {

Ptr<mapi::IMessage> MapiView::Open(const Ptr<outlook::IItem>& item) {
    if (item->EntryID().empty()) item->Save();
    const std::string entryId = item->EntryID();
    if (auto kept = OpenedMessages::Find(entryId)) return kept;
    auto message = Globals::Redemption()->GetMessageFromID(entryId);
    OpenedMessages::Keep(entryId, message);
    return message;
}

void MapiView::Mismatch() { RaiseRuntimeError(errors::TypeMismatch); }

}  // namespace ostrellix::addin

#include "sync/MapiView.h"

#include "core/Globals.h"
#include "runtime/ComError.h"

namespace ostrellix::addin {

Ptr<mapi::IMessage> MapiView::Open(const Ptr<outlook::IItem>& item) {
    if (item->EntryID().empty()) item->Save();
    return Globals::Redemption()->GetMessageFromID(item->EntryID());
}

void MapiView::Mismatch() { RaiseRuntimeError(errors::TypeMismatch); }

}  // namespace ostrellix::addin

#include "sync/ItemMarks.h"

#include "contracts/outlook/IUserProperties.h"
#include "contracts/outlook/IUserProperty.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

void ItemMarks::Remove(const Ptr<outlook::IItem>& item) {
    for (const char* name : {kKeloID, kKeloChecksum, kKeloDatabase}) {
        IgnoreErrors([&] { Must(item->UserProperties()->Find(name)).Delete(); });
    }
    IgnoreErrors([&] { item->SetCategories(""); });
    IgnoreErrors([&] { item->Save(); });
}

}  // namespace ostrellix::addin

#include "sync/ItemFactory.h"

#include "contracts/kelo/Codes.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

bool HasValue(kelo::IRecord& record, const Ptr<kelo::IField>& field) {
    if (!field) return false;
    const Variant value = record.Value(field->Name());
    return !value.IsNull() && !value.IsEmpty();
}

}  // namespace

Ptr<outlook::IItem> ItemFactory::Create(std::int32_t itemType) {
    const auto synchronizer = Globals::Synchronizer();
    Ptr<outlook::IFolder> folder;
    switch (itemType) {
        case outlook::olContactItem: folder = synchronizer->ContactsFolder(); break;
        case outlook::olAppointmentItem: folder = synchronizer->CalendarFolder(); break;
        case outlook::olTaskItem: folder = synchronizer->TasksFolder(); break;
        default: Tools::RaiseInternalError();
    }
    Ptr<outlook::IItem> item = folder ? folder->Items()->Add(itemType) : nullptr;
    if (!item) Tools::RaiseError(Tools::GetText("DatabaseNotConfigured"));
    return item;
}

Ptr<outlook::IItem> ItemFactory::ForRecord(kelo::IRecord& record) {
    const auto cls = record.Class();
    std::int32_t type;
    switch (cls->Label()) {
        case kelo::classlabel::Person:
        case kelo::classlabel::Coworker: type = outlook::olContactItem; break;
        case kelo::classlabel::ToDo: {
            const auto fields = cls->Fields();
            const bool both = HasValue(record, fields->FindByLabel(4)) && HasValue(record, fields->FindByLabel(5));
            type = both ? outlook::olAppointmentItem : outlook::olTaskItem;
            break;
        }
        default: Tools::RaiseError(Tools::GetText("DatabaseNotConfigured"));
    }
    return Create(type);
}

}  // namespace ostrellix::addin

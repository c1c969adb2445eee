#include "sync/RecordFactory.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

Ptr<kelo::IRecord> RecordFactory::Create(std::int32_t classLabel, std::string_view message, std::string_view location) {
    Tools::AddLog(kelo::logtype::Progress, message, location, "");
    const auto application = Globals::Application();
    const auto cls = application->Classes()->FindByLabel(classLabel);
    if (!cls) return nullptr;
    auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
    record->New(cls);
    return record;
}

Ptr<kelo::IRecord> RecordFactory::ForItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context) {
    if (!item) return nullptr;
    const auto synchronizer = Globals::Synchronizer();
    if (Is<outlook::IContactItem>(item)) {
        Ptr<kelo::IRecord> record;
        const auto explorer = As<kelo::IExplorer>(context);
        if (explorer && Must(explorer->Class()).Label() == kelo::classlabel::Coworker) {
            record = synchronizer->CreateCoworkerRecord();
        }
        return record ? record : synchronizer->CreatePersonRecord();
    }
    if (Is<outlook::IAppointmentItem>(item)) return synchronizer->CreateAppointmentRecord();
    if (Is<outlook::ITaskItem>(item)) return synchronizer->CreateTaskRecord();
    return synchronizer->CreateMailRecord();
}

}  // namespace ostrellix::addin

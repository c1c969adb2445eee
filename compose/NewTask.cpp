#include "compose/NewTask.h"

#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/ITaskItem.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/WaitCursor.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

NewTask::NewTask() : ItemTracker("NewTask", DebugLog("")) {}

void NewTask::NewTaskFromContext(const Ptr<kelo::IApplication>& /*application*/, const ObjectPtr& context) {
    const WaitCursor wait;
    const auto synchronizer = Globals::Synchronizer();
    const auto link = synchronizer->GetRecordFromContext(context);
    const auto item = synchronizer->CreateTaskItemFromLink(link);
    Track(Must(synchronizer->TasksFolder()).Items(), item, item->GetInspector(), link);
    item->Display();
}

Ptr<kelo::IRecord> NewTask::CreateRecord() { return Globals::Synchronizer()->CreateTaskRecord(); }

void NewTask::UpdateRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item) {
    Globals::Synchronizer()->UpdateRecordFromTaskItem(record, Cast<outlook::ITaskItem>(item));
}

bool NewTask::AskHook(const Ptr<kelo::IRecord>& record) { return Must(Globals::Addin()).OnNewTask(record); }

void NewTask::File(const Ptr<outlook::IItem>& /*added*/) { FileWithLink(Item(), Link()); }

}  // namespace ostrellix::addin

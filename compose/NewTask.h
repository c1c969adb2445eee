#pragma once

#include "compose/ItemTracker.h"
#include "contracts/kelo/IApplication.h"

namespace ostrellix::addin {

// A new Outlook task for a Kelo record ("KeloOstrellix.NewTask"): shown
// prefilled from the record, and filed once the user has saved it as a
// task record linked to the record and paired with the item (see
// ItemTracker). Its trace lines are the bare event names.
class NewTask : public ItemTracker {
public:
    NewTask();

    // The client hands its application along; the tracker has no use for it.
    void NewTaskFromContext(const Ptr<kelo::IApplication>& application, const ObjectPtr& context);

private:
    Ptr<kelo::IRecord> CreateRecord() override;
    void UpdateRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item) override;
    bool AskHook(const Ptr<kelo::IRecord>& record) override;
    // The task followed is filed, not the one the folder reported: they are one stored item.
    void File(const Ptr<outlook::IItem>& added) override;
};

}  // namespace ostrellix::addin

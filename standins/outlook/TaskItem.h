#pragma once

#include "contracts/outlook/ITaskItem.h"
#include "standins/outlook/Item.h"

namespace ostrellix::standin::outlook {

// A task. Its dates are 4501-01-01 while unset; its owner is the user who
// made it. Completing it also sets its status (2, complete) and percentage.
class TaskItem final : public Item, public ol::ITaskItem {
public:
    TaskItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
             SharedMessage data);

    Date StartDate() override;
    void SetStartDate(Date date) override;
    Date DueDate() override;
    void SetDueDate(Date date) override;
    bool Complete() override;
    void SetComplete(bool complete) override;
    std::string Owner() override;
    bool ReminderSet() override;
    void SetReminderSet(bool set) override;

    static msg::MessageData NewData(const std::string& owner);

protected:
    unsigned Kind() const override { return kinds::Task; }
    std::string WindowKind() override { return "Task"; }
    void BeforeStore(msg::MessageData& data) override { StampCreator(data); }
    bool SetSpecial(std::string_view name, const Variant& value) override;
};

}  // namespace ostrellix::standin::outlook

#pragma once

#include <string>

#include "contracts/outlook/IItem.h"

namespace ostrellix::outlook {

// A task. Dates are kNoDate when not set.
class ITaskItem : public virtual IItem {
public:
    virtual Date StartDate() = 0;
    virtual void SetStartDate(Date date) = 0;
    virtual Date DueDate() = 0;
    virtual void SetDueDate(Date date) = 0;
    virtual bool Complete() = 0;
    virtual void SetComplete(bool complete) = 0;
    virtual std::string Owner() = 0;
    virtual bool ReminderSet() = 0;
    virtual void SetReminderSet(bool set) = 0;
};

}  // namespace ostrellix::outlook

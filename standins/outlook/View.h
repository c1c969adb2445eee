#pragma once

#include <string>

#include "contracts/outlook/IView.h"
#include "standins/outlook/InstanceBound.h"
#include "standins/outlook/StoreTypes.h"

namespace ostrellix::standin::outlook {

// A view of a folder, kept in the store: changes are stored at once.
class View final : public ol::IView, protected InstanceBound {
public:
    View(Ptr<Instance> instance, std::string folderEntryId, std::string name)
        : InstanceBound(std::move(instance)), folder_(std::move(folderEntryId)), name_(std::move(name)) {}

    std::string Name() override;
    std::int32_t ViewType() override;
    std::string XML() override;
    void SetXML(std::string_view xml) override;
    std::int32_t CalendarViewMode() override;
    void SetCalendarViewMode(std::int32_t mode) override;

private:
    ViewInfo Info();
    ViewInfo CalendarInfo();

    std::string folder_;
    std::string name_;
};

}  // namespace ostrellix::standin::outlook

#pragma once

#include <string>

#include "contracts/outlook/IViewControl.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// Outlook's View Control ("OLXLibCtl.ViewCtl") on the running Outlook.
// Showing a folder shows its first view; the view definition can then be
// another of the folder's views or any well-formed definition.
class ViewControl final : public ol::IViewControl, protected InstanceBound {
public:
    using InstanceBound::InstanceBound;

    std::string Folder() override;
    void SetFolder(std::string_view folderPath) override;
    std::string View() override;
    void SetView(std::string_view name) override;
    std::string ViewXML() override;
    void SetViewXML(std::string_view xml) override;

    void NewMessage() override;
    void NewAppointment() override;
    void NewContact() override;
    void NewTask() override;

private:
    void NewItem(std::int32_t itemType, std::int32_t defaultFolder);

    std::string path_;
    std::string folder_;
    std::string view_;
    std::string xml_;
};

}  // namespace ostrellix::standin::outlook

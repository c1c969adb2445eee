#pragma once

#include "contracts/outlook/IApplication.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

class NameSpace;

// "Outlook.Application" of one run of Outlook. CreateItem makes an unsaved
// item for the default folder of its kind (a mail for Drafts). Quit closes
// the windows (raising their events), takes Outlook out of the
// running-object table, and leaves every object of this run raising the
// disconnected error (RPC_E_DISCONNECTED).
class Application final : public ol::IApplication, protected InstanceBound {
public:
    explicit Application(Ptr<Instance> instance);

    Ptr<ol::INameSpace> Session() override;
    Ptr<ol::INameSpace> GetNamespace(std::string_view type) override;
    std::string Version() override;
    Ptr<ol::IItem> CreateItem(std::int32_t itemType) override;
    Ptr<ol::IItem> CreateItemFromTemplate(std::string_view path) override;
    Ptr<ol::IInspector> ActiveInspector() override;
    Ptr<ol::IExplorer> ActiveExplorer() override;
    Ptr<ol::IInspectors> Inspectors() override;
    Ptr<ol::IExplorers> Explorers() override;
    void Quit() override;

    // The run this application object belongs to (for the stand-in's own tools).
    const Ptr<Instance>& Run() const { return SharedOwner(); }

private:
    Ptr<NameSpace> session_;
};

}  // namespace ostrellix::standin::outlook

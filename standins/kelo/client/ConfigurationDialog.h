#pragma once

#include <vector>

#include "contracts/kelo/IConfigurationDialog.h"
#include "contracts/kelo/IOptionsPage.h"

namespace ostrellix::standin::kelo {

// The client's options dialog while it is up: the pages add-ins added on
// BeforeConfigure. The user applies or cancels all pages at once.
class ConfigurationDialog final : public ostrellix::kelo::IConfigurationDialog {
public:
    // Raises 13 for an object that is not an options page.
    void AddPage(const ObjectPtr& page) override;

    const std::vector<Ptr<ostrellix::kelo::IOptionsPage>>& Pages() const { return pages_; }
    void ActivateAll();
    void Apply();
    void Cancel();

private:
    std::vector<Ptr<ostrellix::kelo::IOptionsPage>> pages_;
};

}  // namespace ostrellix::standin::kelo

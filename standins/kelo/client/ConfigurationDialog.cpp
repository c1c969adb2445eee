#include "standins/kelo/client/ConfigurationDialog.h"

#include "runtime/ComError.h"

namespace ostrellix::standin::kelo {

void ConfigurationDialog::AddPage(const ObjectPtr& page) {
    auto optionsPage = As<ostrellix::kelo::IOptionsPage>(page);
    if (!optionsPage) {
        throw ComError(errors::TypeMismatch, "Kelo.Configuration", "Type mismatch: the object is not an options page");
    }
    pages_.push_back(std::move(optionsPage));
}

void ConfigurationDialog::ActivateAll() {
    for (const auto& page : pages_) page->Activate();
}

void ConfigurationDialog::Apply() {
    for (const auto& page : pages_) {
        page->Apply();
        page->Deactivate();
    }
}

void ConfigurationDialog::Cancel() {
    for (const auto& page : pages_) {
        page->Cancel();
        page->Deactivate();
    }
}

}  // namespace ostrellix::standin::kelo

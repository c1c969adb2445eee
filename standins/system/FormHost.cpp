#include "standins/system/FormHost.h"

#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::standin::system {

void FormHost::ShowModal(const Ptr<win::IForm>& form) {
    Shown shown{form->Name(), "", {}, false, false};
    form->Load();
    // Only a plan made for this dialog applies; the next one stays for a later dialog.
    for (auto plan = plans_.begin(); plan != plans_.end(); ++plan) {
        if (!text::EqualsIgnoreCase(plan->first, shown.name)) continue;
        const Plan act = std::move(plan->second);
        plans_.erase(plan);
        shown.planned = true;
        if (form->Visible()) {
            // A plan that fails on the way leaves the dialog as it got it; it is closed below.
            PassOn([&] { act(*form); }, [&] {
                if (form->Visible()) form->Close();
            });
        }
        break;
    }
    shown.caption = form->Caption();
    shown.controls = form->Controls();
    if (form->Visible()) {
        shown.closedByHost = true;
        form->Close();
    }
    shown_.push_back(std::move(shown));
}

const FormHost::Shown* FormHost::Last(std::string_view name) const {
    for (auto shown = shown_.rbegin(); shown != shown_.rend(); ++shown) {
        if (text::EqualsIgnoreCase(shown->name, name)) return &*shown;
    }
    return nullptr;
}

}  // namespace ostrellix::standin::system

#include "apps/ostrellix/StoreFilterAction.h"

#include <ostream>

#include "apps/ostrellix/Mistake.h"
#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClasses.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/StoredFilters.h"

namespace ostrellix::host {

StoreFilterAction::StoreFilterAction(ActionGroup& group) {
    auto& action =
        group.Add("store-filter", "Store a filter of a class under a name, as the client's filter editor does",
                  [this](Host& host, ActionOutput& output) { return Run(host, output); });
    action.add_option("--class", className_, "The class the filter is for, by name (person ...)")->required();
    action.add_option("--name", name_, "The name to store it under")->required();
    action.add_option("--where", conditions_, "A condition FIELD=VALUE (repeat for more; all must hold)")->required();
}

int StoreFilterAction::Run(Host& host, ActionOutput& output) {
    auto& kelo = host.TheMachine().Kelo();
    const auto cls =
        std::dynamic_pointer_cast<standin::kelo::Class>(host.TheMachine().KeloApp().Classes()->FindByName(className_));
    if (!cls) Mistake("There is no class " + className_);
    if (name_.empty()) Mistake("--name takes a name, not nothing");
    standin::kelo::Filter filter;
    for (const std::string& text : conditions_) {
        const auto equals = text.find('=');
        if (equals == std::string::npos || equals == 0) Mistake("--where takes FIELD=VALUE, not \"" + text + "\"");
        filter.Add(text.substr(0, equals), kelo::op::Equal, Variant(text.substr(equals + 1)));
    }
    // Checked against the class now, as the editor does, not when a mailing first uses it.
    try {
        (void)filter.Sql(cls);
    } catch (const ComError& error) {
        Mistake(error.Description());
    }
    standin::kelo::StoredFilters::Store(*kelo.Data(), *cls, name_, filter);
    output.Result(
        {{"action", "filter stored"}, {"class", cls->Name()}, {"name", name_}, {"filter", filter.Description()}},
        [&](std::ostream& out) {
            out << "Filter stored for " << cls->Name() << ": \"" << name_ << "\" (" << filter.Description() << ")\n";
        });
    return 0;
}

}  // namespace ostrellix::host

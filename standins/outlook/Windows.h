#pragma once

#include <vector>

#include "contracts/outlook/IExplorers.h"
#include "contracts/outlook/IInspectors.h"
#include "runtime/Object.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

class Inspector;
class Explorer;

// The open windows of one Outlook, with the NewInspector and NewExplorer
// events (the Inspectors and Explorers collections are views of this).
// Windows are kept in the order they were last activated; the active
// inspector (explorer) is the last one that is displayed. Activating a
// window deactivates the inspector that had the focus.
class Windows {
public:
    ol::InspectorsEvents& InspectorEvents() { return inspectorEvents_; }
    ol::ExplorersEvents& ExplorerEvents() { return explorerEvents_; }

    const std::vector<Ptr<Inspector>>& Inspectors() const { return inspectors_; }
    const std::vector<Ptr<Explorer>>& Explorers() const { return explorers_; }
    Ptr<Inspector> ActiveInspector() const;
    Ptr<Explorer> ActiveExplorer() const;

    // A new window joins; NewInspector or NewExplorer is raised.
    void Opened(const Ptr<Inspector>& inspector);
    void Opened(const Ptr<Explorer>& explorer);
    void Activate(const Ptr<Inspector>& inspector);
    void Activate(const Ptr<Explorer>& explorer);
    void Closed(const Inspector* inspector);
    void Closed(const Explorer* explorer);
    void Clear();

private:
    void Deactivate(const Object* next);

    ol::InspectorsEvents inspectorEvents_;
    ol::ExplorersEvents explorerEvents_;
    std::vector<Ptr<Inspector>> inspectors_;
    std::vector<Ptr<Explorer>> explorers_;
    const Object* focus_ = nullptr;
};

}  // namespace ostrellix::standin::outlook

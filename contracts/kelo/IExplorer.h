#pragma once

#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IListItem.h"
#include "contracts/kelo/ISelection.h"

namespace ostrellix::kelo {

// A list window of the client: records of one class, the entry that is
// active, the selection, and the record card it shows beside the list
// (Inspector). A list embedded in a record window (a company's persons)
// has that window as ParentInspector.
class IExplorer : public virtual Object {
public:
    virtual Ptr<IClass> Class() = 0;
    virtual Ptr<IListItem> ActiveItem() = 0;
    virtual Ptr<ISelection> Selection() = 0;
    virtual Ptr<IInspector> Inspector() = 0;
    virtual Ptr<IInspector> ParentInspector() = 0;
};

}  // namespace ostrellix::kelo

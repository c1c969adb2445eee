#pragma once

#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IList.h"
#include "contracts/kelo/IListItem.h"
#include "contracts/kelo/ISelection.h"

namespace ostrellix::kelo {

// A list window of the client: records of one class, the entry that is
// active, the selection, the list itself with its current record, and the
// record card it shows (Inspector: the active entry's card, or, for a list
// embedded in a record window such as a company's persons, that window). An
// embedded list has its window as ParentInspector; a list window of its own
// has none.
class IExplorer : public virtual Object {
public:
    virtual Ptr<IClass> Class() = 0;
    virtual Ptr<IListItem> ActiveItem() = 0;
    virtual Ptr<ISelection> Selection() = 0;
    virtual Ptr<IList> List() = 0;
    virtual Ptr<IInspector> Inspector() = 0;
    virtual Ptr<IInspector> ParentInspector() = 0;
};

}  // namespace ostrellix::kelo

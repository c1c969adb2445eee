#pragma once

#include <string>

#include "contracts/outlook/IFolder.h"

namespace ostrellix::outlook {

struct ExplorerEvents {
    Signal<> Close;
    // A reply or forward begun in the reading pane.
    Signal<const Ptr<IItem>&> InlineResponse;
};

// A window that shows a folder. ActiveInlineResponse is the item being
// written in its reading pane, or nothing.
class IExplorer : public virtual Object {
public:
    virtual std::string Caption() = 0;
    virtual Ptr<IFolder> CurrentFolder() = 0;
    virtual Ptr<IItem> ActiveInlineResponse() = 0;
    virtual void Close() = 0;

    virtual ExplorerEvents& Events() = 0;
};

}  // namespace ostrellix::outlook

#pragma once

#include <string>

#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/ISelection.h"

namespace ostrellix::outlook {

struct ExplorerEvents {
    // The window closes (raised last, after nothing else of it will happen).
    Signal<> Close;
    // CurrentFolder changed.
    Signal<> FolderSwitch;
    Signal<> SelectionChange;
    // A reply or forward begun in the reading pane.
    Signal<const Ptr<IItem>&> InlineResponse;
};

// A window that shows a folder. ActiveInlineResponse is the item being
// written in its reading pane, or nothing.
class IExplorer : public virtual Object {
public:
    virtual std::string Caption() = 0;
    virtual Ptr<IFolder> CurrentFolder() = 0;
    virtual void SetCurrentFolder(const Ptr<IFolder>& folder) = 0;
    virtual Ptr<ISelection> Selection() = 0;
    virtual Ptr<IItem> ActiveInlineResponse() = 0;
    virtual void Display() = 0;
    virtual void Activate() = 0;
    virtual void Close() = 0;

    virtual ExplorerEvents& Events() = 0;
};

}  // namespace ostrellix::outlook

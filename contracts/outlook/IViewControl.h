#pragma once

#include <string>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::outlook {

// Outlook's View Control ("OLXLibCtl.ViewCtl"), the embeddable window that
// shows one folder. Folder is the folder's path (IFolder::FolderPath; ""
// shows nothing); ViewXML the view definition it shows (a view of the folder
// or any well-formed definition). The New... commands open a new item of
// that kind in an inspector, to be stored in the folder shown when it holds
// that kind of item, else in the default folder of the kind.
class IViewControl : public virtual Object {
public:
    virtual std::string Folder() = 0;
    // Raises when no folder has that path.
    virtual void SetFolder(std::string_view folderPath) = 0;
    virtual std::string View() = 0;
    // Shows the folder's view of that name; raises when it has none.
    virtual void SetView(std::string_view name) = 0;
    virtual std::string ViewXML() = 0;
    // Raises, keeping the old definition, when the text is not well-formed XML.
    virtual void SetViewXML(std::string_view xml) = 0;

    virtual void NewMessage() = 0;
    virtual void NewAppointment() = 0;
    virtual void NewContact() = 0;
    virtual void NewTask() = 0;
};

}  // namespace ostrellix::outlook

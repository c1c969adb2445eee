#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/outlook/IExplorers.h"
#include "contracts/outlook/IInspectors.h"
#include "contracts/outlook/INameSpace.h"

namespace ostrellix::outlook {

// Outlook's application object ("Outlook.Application"). Version is
// "major.minor.build.revision". After Quit every call on any object of that
// Outlook raises kDisconnected, as with an Outlook that went away.
class IApplication : public virtual Object {
public:
    virtual Ptr<INameSpace> Session() = 0;
    virtual Ptr<INameSpace> GetNamespace(std::string_view type) = 0;  // "MAPI"
    virtual std::string Version() = 0;
    virtual Ptr<IItem> CreateItem(std::int32_t itemType) = 0;
    // A new unsaved item made from a message file.
    virtual Ptr<IItem> CreateItemFromTemplate(std::string_view path) = 0;
    virtual Ptr<IInspector> ActiveInspector() = 0;
    virtual Ptr<IExplorer> ActiveExplorer() = 0;
    virtual Ptr<IInspectors> Inspectors() = 0;
    virtual Ptr<IExplorers> Explorers() = 0;
    virtual void Quit() = 0;
};

}  // namespace ostrellix::outlook

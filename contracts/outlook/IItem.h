#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/outlook/IAttachments.h"
#include "contracts/outlook/IPropertyAccessor.h"
#include "contracts/outlook/IUserProperties.h"
#include "runtime/Date.h"
#include "runtime/Signal.h"

namespace ostrellix::outlook {

class IFolder;
class IInspector;

// Events of an item; each may be cancelled through its flag.
struct ItemEvents {
    Signal<bool&> Open;
    Signal<bool&> Write;
    Signal<bool&> Send;
    Signal<bool&> Close;
};

// What every Outlook item has. EntryID is empty until the item is first
// saved; LastModificationTime changes on every save. Save raises Write
// (which may cancel) before the item is stored; closing the item's window
// raises Close last.
class IItem : public virtual Object {
public:
    virtual std::string EntryID() = 0;
    virtual std::string MessageClass() = 0;
    virtual std::string Subject() = 0;
    virtual void SetSubject(std::string_view subject) = 0;
    virtual std::string Body() = 0;
    virtual void SetBody(std::string_view body) = 0;
    virtual std::string Categories() = 0;
    virtual void SetCategories(std::string_view categories) = 0;
    virtual Date CreationTime() = 0;
    virtual Date LastModificationTime() = 0;
    virtual bool Saved() = 0;  // no unsaved changes

    virtual Ptr<IUserProperties> UserProperties() = 0;
    virtual Ptr<IAttachments> Attachments() = 0;
    virtual Ptr<IPropertyAccessor> PropertyAccessor() = 0;
    virtual Ptr<IFolder> Parent() = 0;  // nothing while never saved

    virtual void Save() = 0;
    virtual void Display(bool modal = false) = 0;
    virtual void Close(std::int32_t saveMode) = 0;  // 0 save, 1 discard, 2 prompt
    virtual void Delete() = 0;
    virtual void PrintOut() = 0;
    virtual Ptr<IItem> Move(const Ptr<IFolder>& folder) = 0;
    virtual Ptr<IInspector> GetInspector() = 0;

    virtual ItemEvents& Events() = 0;
};

}  // namespace ostrellix::outlook

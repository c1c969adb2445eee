#pragma once

#include <string>
#include <string_view>

#include "contracts/kelo/IInspector.h"
#include "contracts/outlook/IItem.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// Serves one Kelo record window: a person or to-do saved there reaches its
// Outlook item (the user is offered to make one for a record without it),
// a record no longer valid for synchronization lets its item go, and a
// mail copy the add-in made for the window (a drop) is deleted when the
// window closes. The window keeps the listener alive under the tag name;
// Disconnect (after the window closed) breaks that tie.
class KeloSynchListener : public virtual Object {
public:
    // Named values on the window.
    static constexpr const char* kOutlookItem = "OutlookItem";
    static constexpr const char* kOutlookItemDelete = "OutlookItem_Delete";

    void Connect(const Ptr<kelo::IInspector>& keloInspector, std::string_view tagName);
    void Disconnect();

private:
    void OnBeforeShow();
    void OnAfterSave();
    void OnAfterClose();
    Ptr<outlook::IItem> StoredItem();
    void SaveInOutlook(const Ptr<outlook::IItem>& found, const Ptr<kelo::IRecord>& record);

    Ptr<kelo::IInspector> m_KeloInspector;
    std::string tagName_;
    Connection beforeShow_;
    Connection afterSave_;
    Connection afterClose_;
};

}  // namespace ostrellix::addin

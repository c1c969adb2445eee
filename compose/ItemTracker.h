#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IItem.h"
#include "contracts/outlook/IItems.h"
#include "core/DebugLog.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// What NewAppointment and NewTask share: a new Outlook item shown for the
// user, followed until it is stored, then filed in Kelo as a record linked
// to the record it was made for.
//
// Outlook stores the item in its folder after the window's save; the item
// is only known by its EntryID once it is there, and only the folder's
// ItemAdd says that it is. So the tracker remembers the EntryID when the
// item or its window closes and files the first added item that carries
// it. Any added item ends the tracker: one that is not ours means the
// user's item went elsewhere. A window closed without a save ends it at
// once. While it follows an item the tracker keeps itself alive in the
// object registry; Shutdown lets go of everything.
class ItemTracker : public virtual Object {
public:
    ItemTracker(const ItemTracker&) = delete;
    ItemTracker& operator=(const ItemTracker&) = delete;
    ~ItemTracker() override = default;

protected:
    // `name` is the class's name in error locations, `log` its trace.
    ItemTracker(std::string_view name, DebugLog log) : name_(name), log_(log) {}

    // Listens to the item, its window and the folder's items, and joins the registry.
    void Track(const Ptr<outlook::IItems>& items, const Ptr<outlook::IItem>& item,
               const Ptr<outlook::IInspector>& inspector, const Ptr<kelo::IRecord>& link);
    // The item, stored, becomes a record linked to `link` and is paired
    // with it; a record the data engine cannot use is shown in a record
    // window for the user to finish. Nothing happens when a script of the
    // client claims the new record.
    void FileWithLink(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& link);
    void Shutdown();

    const Ptr<outlook::IItem>& Item() const { return m_OutlookItem; }
    const Ptr<kelo::IRecord>& Link() const { return link_; }
    const DebugLog& Log() const { return log_; }
    void ForgetLink() { link_.reset(); }

private:
    virtual Ptr<kelo::IRecord> CreateRecord() = 0;
    virtual void UpdateRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item) = 0;
    // The client's scripts may claim the record: false then.
    virtual bool AskHook(const Ptr<kelo::IRecord>& record) = 0;
    // Files the item the folder reported as ours.
    virtual void File(const Ptr<outlook::IItem>& added) = 0;
    // What Shutdown lets go of besides Outlook's objects.
    virtual void Release() {}

    void OnItemWrite();
    void OnItemClose();
    void OnInspectorClose();
    void OnInspectorDeactivate();
    void OnItemAdd(const Ptr<outlook::IItem>& added);
    // The item, window and folder events that only leave a trace line.
    void TraceOnly();
    void Disconnect();

    std::string name_;
    DebugLog log_;
    Ptr<kelo::IRecord> link_;
    Ptr<outlook::IItem> m_OutlookItem;
    Ptr<outlook::IInspector> m_OutlookInspector;
    Ptr<outlook::IItems> m_OutlookItems;
    bool closed_ = false;
    bool written_ = false;
    std::string entryId_;
    std::vector<Connection> connections_;
};

}  // namespace ostrellix::addin

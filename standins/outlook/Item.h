#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/outlook/IItem.h"
#include "runtime/IDispatch.h"
#include "standins/outlook/InstanceBound.h"
#include "standins/outlook/OutlookProperty.h"
#include "standins/outlook/SharedMessage.h"

namespace ostrellix::standin::outlook {

class Inspector;

// What every Outlook item is: a message of the store (or one not yet
// stored) held as a MAPI property bag, with Outlook's properties mapped onto
// it. The object keeps its changes until Save; while it has none it
// follows the store, so that what the MAPI library changed is seen here.
//
// Save raises Write (which may cancel) before the store changes, so before
// the folder's ItemAdd or ItemChange. Closing (an item, or its window)
// first applies the close mode (olSave: Save when there are changes;
// olPromptForSave: the user's answer), then raises the item's Close, which
// may cancel. Once the item was deleted, sent, or removed from the store by
// the MAPI library, every member raises "moved or deleted".
//
// Late binding reaches the Outlook properties by name (GetProperty,
// SetProperty) and Save, Display, Close, Delete, PrintOut, GetInspector
// and the kind's own methods.
class Item : public virtual ol::IItem, public virtual IDispatch, protected InstanceBound {
public:
    std::string EntryID() override;
    std::string MessageClass() override;
    std::string Subject() override;
    void SetSubject(std::string_view subject) override;
    std::string Body() override;
    void SetBody(std::string_view body) override;
    std::string Categories() override;
    void SetCategories(std::string_view categories) override;
    Date CreationTime() override;
    Date LastModificationTime() override;
    bool Saved() override;
    Ptr<ol::IUserProperties> UserProperties() override;
    Ptr<ol::IAttachments> Attachments() override;
    Ptr<ol::IPropertyAccessor> PropertyAccessor() override;
    Ptr<ol::IFolder> Parent() override;
    void Save() override;
    void Display(bool modal) override;
    void Close(std::int32_t saveMode) override;
    void Delete() override;
    void PrintOut() override;
    Ptr<ol::IItem> Move(const Ptr<ol::IFolder>& folder) override;
    Ptr<ol::IInspector> GetInspector() override;
    ol::ItemEvents& Events() override { return events_; }

    Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) override;

    // ---- for the other objects of the stand-in ----
    // Outlook properties by name; raise 438 for a name this kind lacks.
    Variant GetProperty(std::string_view name);
    void SetProperty(std::string_view name, const Variant& value);
    // The item's message, checked and up to date; Edit marks it changed.
    const msg::MessageData& Read();
    msg::MessageData& Edit();
    Instance& Outlook() { return Live(); }
    const std::string& StoredId() const { return entryId_; }
    const std::string& FolderId() const { return folder_; }
    // Save with the Write event; false when a handler cancelled.
    bool SaveWithEvents();
    // Stores the item as it is, without events.
    void Commit();
    // Applies a close mode and raises Close; false when a handler cancelled.
    bool CloseSequence(std::int32_t saveMode);
    // Raises Close only (the item's window closes after it was sent).
    void RaiseClose();
    // Forgets the changes not saved.
    void Discard();
    // The item left the store (deleted, sent): from now on it raises.
    void MarkGone();
    Ptr<Inspector> ShowingInspector() const;
    void InspectorClosed() { inspector_.reset(); }
    virtual std::string Caption();

protected:
    Item(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
         SharedMessage data);

    // The kind's bit (kinds::Mail ...) and its name in window captions ("Message (HTML)").
    virtual unsigned Kind() const = 0;
    virtual std::string WindowKind() = 0;
    // Values Outlook derives when an item is stored.
    virtual void BeforeStore(msg::MessageData& data);
    // Properties whose setting does more than storing a value; false for others.
    virtual bool SetSpecial(std::string_view name, const Variant& value);
    virtual std::optional<Variant> GetSpecial(std::string_view name);
    virtual std::optional<Variant> InvokeSpecial(std::string_view member, const std::vector<Variant>& arguments);

    // A property's value, an absent one as Outlook gives it ("", 0, False,
    // 4501-01-01); Put stores one (4501-01-01 removes a date).
    Variant Value(const OutlookProperty& property);
    void Put(const OutlookProperty& property, const Variant& value);
    void CheckUsable();
    // Outlook makes the profile's user the creator (sender, and organizer
    // of an appointment) of an item it stores first.
    void StampCreator(msg::MessageData& data);
    // After sending: the window closes, and the item object has done its part.
    void FinishSending(bool itemGone);

private:
    const OutlookProperty& Known(std::string_view name) const;
    void Refresh();
    Ptr<Inspector> OpenInspector();

    std::string folder_;
    std::string entryId_;
    std::int64_t revision_;
    SharedMessage data_;
    std::uint64_t seenSerial_ = 0;
    bool dirty_;
    bool gone_ = false;
    std::weak_ptr<Inspector> inspector_;
    ol::ItemEvents events_;
};

}  // namespace ostrellix::standin::outlook

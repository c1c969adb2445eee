#include "standins/outlook/Item.h"

#include "contracts/outlook/Constants.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Attachments.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Folder.h"
#include "standins/outlook/Inspector.h"
#include "standins/outlook/PropertyAccessor.h"
#include "standins/outlook/UserProperties.h"

namespace ostrellix::standin::outlook {

namespace {
namespace pt = msg::pt;

bool Is(std::string_view a, std::string_view b) { return text::EqualsIgnoreCase(a, b); }

void CheckArguments(const std::vector<Variant>& arguments, std::size_t count, std::string_view member) {
    if (arguments.size() != count) {
        throw ComError(::ostrellix::errors::WrongNumberOfArguments, errors::kSource,
                       "Wrong number of arguments for " + std::string(member));
    }
}
}  // namespace

Item::Item(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
           SharedMessage data)
    : InstanceBound(std::move(instance)),
      folder_(std::move(folderEntryId)),
      entryId_(std::move(entryId)),
      revision_(revision),
      data_(std::move(data)),
      dirty_(entryId_.empty()) {
    // A stored item is made from what the store holds now.
    if (!entryId_.empty()) seenSerial_ = Unchecked().Store().ChangeSerial();
}

// ---- state ----

void Item::CheckUsable() {
    Live();
    if (gone_) errors::RaiseMovedOrDeleted();
}

void Item::Refresh() {
    if (entryId_.empty() || dirty_) return;
    MessageStore& store = Unchecked().Store();
    const bool unchanged = store.UnchangedSince(entryId_, seenSerial_);
    seenSerial_ = store.ChangeSerial();
    if (unchanged) return;
    const std::int64_t revision = store.Revision(entryId_);
    std::optional<StoredMessage> stored;
    if (revision != 0 && revision == revision_) return;
    if (revision != 0) stored = store.Load(entryId_);
    if (!stored) {
        MarkGone();
        errors::RaiseMovedOrDeleted();
    }
    data_ = std::move(stored->data);
    folder_ = std::move(stored->folderEntryId);
    revision_ = stored->revision;
}

const msg::MessageData& Item::Read() {
    CheckUsable();
    Refresh();
    return data_.Read();
}

msg::MessageData& Item::Edit() {
    Read();
    dirty_ = true;
    return data_.Edit();
}

void Item::Discard() {
    if (entryId_.empty()) return;
    dirty_ = false;
    revision_ = -1;  // read again from the store on next use
    seenSerial_ = 0;
}

void Item::MarkGone() {
    gone_ = true;
    if (!entryId_.empty()) Unchecked().Forget(entryId_, this);
}

void Item::BeforeStore(msg::MessageData&) {}

void Item::Commit() {
    msg::MessageData& data = data_.Edit();
    BeforeStore(data);
    MessageStore& store = Unchecked().Store();
    const bool isNew = entryId_.empty();
    if (isNew) {
        entryId_ = store.NewEntryId(folder_);
        Unchecked().Remember(entryId_, SelfAs<Item>());
    }
    dirty_ = false;
    std::int64_t written = 0;
    const std::uint64_t serialBefore = store.ChangeSerial();
    PassOn([&] { written = isNew ? store.Create(folder_, entryId_, data) : store.Update(entryId_, data); },
           [&] {
               dirty_ = true;
               if (isNew) {
                   Unchecked().Forget(entryId_, this);
                   entryId_.clear();
               }
           });
    // Handlers of the store's events may have changed the message since,
    // through this object or another view: look again on next use, unless
    // this save was the store's only change since (the store stamped its
    // times into `data`, so this object holds what was written).
    if (!dirty_) {
        revision_ = written;
        seenSerial_ = store.ChangeSerial() == serialBefore + 1 ? serialBefore + 1 : 0;
    }
}

bool Item::SaveWithEvents() {
    CheckUsable();
    bool cancel = false;
    events_.Write.Raise(cancel);
    if (cancel) return false;
    CheckUsable();
    Commit();
    return true;
}

bool Item::CloseSequence(std::int32_t saveMode) {
    switch (saveMode) {
        case ol::olSave:
            if (!Saved()) SaveWithEvents();
            break;
        case ol::olDiscard: Discard(); break;
        case ol::olPromptForSave:
            if (!Saved()) {
                if (Unchecked().Answers().NextSavePrompt()) {
                    SaveWithEvents();
                } else {
                    Discard();
                }
            }
            break;
        default:
            errors::Raise(errors::kInvalidArgument, "The close mode " + std::to_string(saveMode) + " does not exist.");
    }
    bool cancel = false;
    events_.Close.Raise(cancel);
    return !cancel;
}

void Item::RaiseClose() {
    bool ignored = false;
    events_.Close.Raise(ignored);
}

void Item::StampCreator(msg::MessageData& data) {
    if (!entryId_.empty() || data.properties.Get(msg::tag::PR_SENDER_NAME)) return;
    const AddressEntryData user = Unchecked().Book().CurrentUser();
    AddressBook::FillSender(data.properties, user);
    AddressBook::FillRepresenting(data.properties, user);
}

void Item::FinishSending(bool itemGone) {
    const Ptr<Inspector> inspector = ShowingInspector();
    if (itemGone) MarkGone();
    if (inspector) inspector->Dismiss();
}

Ptr<Inspector> Item::ShowingInspector() const {
    Ptr<Inspector> inspector = inspector_.lock();
    return inspector && inspector->IsOpen() ? inspector : nullptr;
}

Ptr<Inspector> Item::OpenInspector() {
    auto inspector = std::make_shared<Inspector>(SharedOwner(), SelfAs<Item>());
    inspector_ = inspector;
    Unchecked().OpenWindows().Opened(inspector);
    return inspector;
}

// ---- properties ----

const OutlookProperty& Item::Known(std::string_view name) const {
    const OutlookProperty* property = OutlookProperty::Find(name);
    if (!property || !(property->kinds & Kind())) {
        errors::Raise(errors::kNotAvailable, "The item has no property \"" + std::string(name) + "\".");
    }
    return *property;
}

Variant Item::Value(const OutlookProperty& property) {
    return property.ValueIn(Read().properties);
}

void Item::Put(const OutlookProperty& property, const Variant& value) {
    const bool noDate = property.location.Type() == pt::SysTime && !value.IsEmpty() && value.ToDate() == ol::kNoDate;
    property.location.Write(Edit().properties, noDate ? Variant() : value);
}

std::optional<Variant> Item::GetSpecial(std::string_view) { return std::nullopt; }

bool Item::SetSpecial(std::string_view, const Variant&) { return false; }

std::optional<Variant> Item::InvokeSpecial(std::string_view, const std::vector<Variant>&) { return std::nullopt; }

Variant Item::GetProperty(std::string_view name) {
    if (auto special = GetSpecial(name)) return *special;
    if (Is(name, "EntryID")) return Variant(EntryID());
    if (Is(name, "Saved")) return Variant(Saved());
    if (Is(name, "Categories")) return Variant(Categories());
    return Value(Known(name));
}

void Item::SetProperty(std::string_view name, const Variant& value) {
    if (SetSpecial(name, value)) return;
    if (Is(name, "Categories")) return SetCategories(value.ToString());
    if (Is(name, "Body")) return SetBody(value.ToString());
    const OutlookProperty& property = Known(name);
    if (property.readOnly) {
        errors::Raise(errors::kInvalidArgument, "The property \"" + std::string(property.name) + "\" cannot be set.");
    }
    Put(property, value);
}

std::string Item::EntryID() {
    CheckUsable();
    return entryId_;
}

std::string Item::MessageClass() { return Value(OutlookProperty::Get("MessageClass")).ToString(); }

std::string Item::Subject() { return Value(OutlookProperty::Get("Subject")).ToString(); }

void Item::SetSubject(std::string_view subject) { Put(OutlookProperty::Get("Subject"), Variant(subject)); }

std::string Item::Body() { return Value(OutlookProperty::Get("Body")).ToString(); }

void Item::SetBody(std::string_view body) { Put(OutlookProperty::Get("Body"), Variant(body)); }

std::string Item::Categories() {
    const Variant keywords = OutlookProperty::Get("Categories").location.Read(Read().properties);
    std::string joined;
    if (keywords.IsArray()) {
        for (const Variant& keyword : keywords.ToArray()) joined += (joined.empty() ? "" : ", ") + keyword.ToString();
    }
    return joined;
}

void Item::SetCategories(std::string_view categories) {
    VariantArray keywords;
    for (const std::string& part : text::Split(text::Replace(categories, ";", ","), ",")) {
        if (!text::Trim(part).empty()) keywords.emplace_back(text::Trim(part));
    }
    Put(OutlookProperty::Get("Categories"), keywords.empty() ? Variant() : Variant(std::move(keywords)));
}

Date Item::CreationTime() { return Value(OutlookProperty::Get("CreationTime")).ToDate(); }

Date Item::LastModificationTime() { return Value(OutlookProperty::Get("LastModificationTime")).ToDate(); }

bool Item::Saved() {
    Read();
    return !dirty_;
}

Ptr<ol::IUserProperties> Item::UserProperties() {
    CheckUsable();
    return std::make_shared<outlook::UserProperties>(SelfAs<Item>());
}

Ptr<ol::IAttachments> Item::Attachments() {
    CheckUsable();
    return std::make_shared<outlook::Attachments>(SelfAs<Item>());
}

Ptr<ol::IPropertyAccessor> Item::PropertyAccessor() {
    CheckUsable();
    auto self = SelfAs<Item>();
    return std::make_shared<outlook::PropertyAccessor>(
        SharedOwner(), [self]() -> const msg::PropertyBag& { return self->Read().properties; },
        [self]() -> msg::PropertyBag& { return self->Edit().properties; });
}

Ptr<ol::IFolder> Item::Parent() {
    Read();
    if (entryId_.empty()) return nullptr;
    return std::make_shared<outlook::Folder>(SharedOwner(), folder_);
}

// ---- operations ----

void Item::Save() {
    const auto call = Entered();
    SaveWithEvents();
}

void Item::Display(bool modal) {
    const auto call = Entered();
    CheckUsable();
    if (modal) errors::Raise(errors::kNotAvailable, "A modal item window is not available in this Outlook.");
    Ptr<Inspector> inspector = ShowingInspector();
    const bool shown = inspector && inspector->Displayed();
    if (!inspector) inspector = OpenInspector();
    if (!shown) {
        bool cancel = false;
        events_.Open.Raise(cancel);
        if (cancel) {
            inspector->Abandon();
            return;
        }
    }
    inspector->Display();
}

Ptr<ol::IInspector> Item::GetInspector() {
    const auto call = Entered();
    CheckUsable();
    if (Ptr<Inspector> inspector = ShowingInspector()) return inspector;
    return OpenInspector();
}

void Item::Close(std::int32_t saveMode) {
    const auto call = Entered();
    CheckUsable();
    if (Ptr<Inspector> inspector = ShowingInspector()) return inspector->Close(saveMode);
    CloseSequence(saveMode);
}

void Item::Delete() {
    const auto call = Entered();
    CheckUsable();
    if (Ptr<Inspector> inspector = ShowingInspector()) inspector->Close(ol::olDiscard);
    if (!entryId_.empty()) Unchecked().Store().Delete(entryId_);
    MarkGone();
}

void Item::PrintOut() {
    CheckUsable();
    Unchecked().Settings().Print(Caption());
}

Ptr<ol::IItem> Item::Move(const Ptr<ol::IFolder>& folder) {
    const auto call = Entered();
    CheckUsable();
    const auto target = As<outlook::Folder>(folder);
    if (!target) errors::Raise(errors::kInvalidArgument, "Move needs a folder of this Outlook.");
    if (entryId_.empty()) {
        folder_ = target->Id();
        SaveWithEvents();
    } else {
        Unchecked().Store().Move(entryId_, target->Id());
        folder_ = target->Id();
        revision_ = -1;
        seenSerial_ = 0;
    }
    return SelfAs<ol::IItem>();
}

std::string Item::Caption() {
    const std::string subject = Subject();
    return (subject.empty() ? std::string("Untitled") : subject) + " - " + WindowKind();
}

Variant Item::Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) {
    switch (kind) {
        case InvokeKind::PropertyGet:
            CheckArguments(arguments, 0, member);
            return GetProperty(member);
        case InvokeKind::PropertyPut:
        case InvokeKind::PropertyPutRef:
            CheckArguments(arguments, 1, member);
            SetProperty(member, arguments[0]);
            return {};
        case InvokeKind::Method: break;
    }
    if (auto result = InvokeSpecial(member, arguments)) return *result;
    if (Is(member, "Save")) {
        Save();
    } else if (Is(member, "Display")) {
        Display(!arguments.empty() && arguments[0].ToBoolean());
    } else if (Is(member, "Close")) {
        CheckArguments(arguments, 1, member);
        Close(arguments[0].ToLong());
    } else if (Is(member, "Delete")) {
        Delete();
    } else if (Is(member, "PrintOut")) {
        PrintOut();
    } else if (Is(member, "GetInspector")) {
        return Variant(GetInspector());
    } else {
        errors::Raise(errors::kNotAvailable,
                      "Object doesn't support this property or method: \"" + std::string(member) + "\".");
    }
    return {};
}

}  // namespace ostrellix::standin::outlook

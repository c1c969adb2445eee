#include "standins/outlook/AddressEntry.h"

#include "standins/outlook/PropertyAccessor.h"

namespace ostrellix::standin::outlook {

AddressEntry::AddressEntry(Ptr<Instance> instance, AddressEntryData entry)
    : InstanceBound(std::move(instance)), entry_(std::move(entry)) {
    AddressBook::FillRecipient(properties_, entry_);
}

std::string AddressEntry::ID() {
    Live();
    return entry_.entryId;
}

std::string AddressEntry::Name() {
    Live();
    return entry_.name;
}

std::string AddressEntry::Address() {
    Live();
    return entry_.address;
}

std::string AddressEntry::Type() {
    Live();
    return entry_.type;
}

Ptr<ol::IPropertyAccessor> AddressEntry::PropertyAccessor() {
    Live();
    auto self = SelfAs<AddressEntry>();
    return std::make_shared<outlook::PropertyAccessor>(SharedOwner(),
                                                       [self]() -> const msg::PropertyBag& { return self->properties_; });
}

}  // namespace ostrellix::standin::outlook

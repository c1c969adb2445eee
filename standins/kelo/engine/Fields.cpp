#include "standins/kelo/engine/Fields.h"

#include <optional>

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Class.h"

namespace ostrellix::standin::kelo {

Ptr<ostrellix::kelo::IField> Fields::Item(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return fields_[static_cast<std::size_t>(index - 1)];
}

namespace {

// The name in lower case when it is ASCII, as every field name is (the
// schema takes letters, digits and "_" only); nothing otherwise.
std::optional<std::string> AsciiKey(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

}  // namespace

void Fields::Append(Ptr<Field> field) {
    if (std::optional<std::string> key = AsciiKey(field->Spec().name)) byName_.emplace(std::move(*key), field);
    fields_.push_back(std::move(field));
}

Ptr<Field> Fields::Named(std::string_view name) const {
    if (const std::optional<std::string> key = AsciiKey(name)) {
        const auto found = byName_.find(*key);
        return found == byName_.end() ? nullptr : found->second;
    }
    // Unicode case folding can make other letters equal ASCII ones (the
    // Kelvin sign is "k").
    for (const auto& field : fields_) {
        if (text::EqualsIgnoreCase(field->Spec().name, name)) return field;
    }
    return nullptr;
}

Ptr<ostrellix::kelo::IField> Fields::FindByLabel(std::int32_t label) {
    for (const auto& field : fields_) {
        if (field->Spec().label == label) return field;
    }
    return nullptr;
}

Ptr<ostrellix::kelo::IField> Fields::FindByType(std::int32_t type) {
    for (const auto& field : fields_) {
        if (field->Spec().type == type) return field;
    }
    return nullptr;
}

Ptr<ostrellix::kelo::IField> Fields::FindByRelatedClass(const Ptr<ostrellix::kelo::IClass>& relatedClass) {
    if (!relatedClass) return nullptr;
    Ptr<Field> toMany;
    for (const auto& field : fields_) {
        if (!SameObject(field->RelatedClass(), relatedClass)) continue;
        if (field->IsRelationToOne()) return field;
        if (!toMany) toMany = field;
    }
    return toMany;
}

Ptr<ostrellix::kelo::IField> Fields::FindByRelatedField(const Ptr<ostrellix::kelo::IField>& field) {
    if (!field || !field->Counterpart()) return nullptr;
    const Ptr<ostrellix::kelo::IClass> target = field->Counterpart()->Class();
    for (const auto& candidate : fields_) {
        if (candidate->IsRelationToOne() && SameObject(candidate->RelatedClass(), target)) return candidate;
    }
    return nullptr;
}

}  // namespace ostrellix::standin::kelo

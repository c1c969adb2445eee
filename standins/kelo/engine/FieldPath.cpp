#include "standins/kelo/engine/FieldPath.h"

#include "runtime/Text.h"
#include "standins/kelo/engine/EngineError.h"

namespace ostrellix::standin::kelo {

namespace {

struct Problem {
    std::int32_t number = 0;
    std::string description;
};

// A name without a point against one class.
bool ResolveName(const Ptr<Class>& cls, const std::string& name, FieldPath& path, Problem& problem) {
    if (text::EqualsIgnoreCase(name, "id") || text::EqualsIgnoreCase(name, "id" + cls->Spec().name)) {
        path.kind = FieldPath::Kind::Id;
    } else if (text::EqualsIgnoreCase(name, "timestamp")) {
        path.kind = FieldPath::Kind::Timestamp;
    } else if (text::EqualsIgnoreCase(name, "descriptive")) {
        path.kind = FieldPath::Kind::Descriptive;
    } else {
        path.kind = FieldPath::Kind::Field;
        path.field = cls->FieldNamed(name);
        if (!path.field) {
            problem = {engineerror::UnknownField,
                       "The class " + Quoted(cls->Spec().name) + " has no field " + Quoted(name)};
            return false;
        }
    }
    return true;
}

std::optional<FieldPath> Analyse(const Ptr<Class>& cls, std::string_view name, Problem& problem) {
    FieldPath path;
    path.text = std::string(name);
    const std::vector<std::string> parts = text::Split(path.text, ".");
    if (parts.size() <= 1) {
        if (path.text.empty()) {
            problem = {engineerror::UnknownField, "No field name was given"};
            return std::nullopt;
        }
        if (!ResolveName(cls, path.text, path, problem)) return std::nullopt;
        return path;
    }
    if (parts.size() != 2 || parts[0].empty() || parts[1].empty()) {
        problem = {engineerror::BadPath,
                   "The relation path " + Quoted(path.text) + " is not two field names joined by a point"};
        return std::nullopt;
    }
    if (!ResolveName(cls, parts[0], path, problem)) return std::nullopt;
    if (path.kind != FieldPath::Kind::Field || !(path.field->IsRelationToOne() || path.field->IsRelationToMany())) {
        problem = {engineerror::BadPath, "In the relation path " + Quoted(path.text) + ", " + Quoted(parts[0]) +
                                             " of " + Quoted(cls->Spec().name) + " is not a relation"};
        return std::nullopt;
    }
    FieldPath target;
    if (!ResolveName(path.field->RelatedClass(), parts[1], target, problem)) return std::nullopt;
    path.kind = FieldPath::Kind::Path;
    path.targetKind = target.kind;
    path.target = target.field;
    return path;
}

}  // namespace

FieldPath FieldPath::Resolve(const Ptr<Class>& cls, std::string_view name) {
    if (const auto known = cls->KnownPath(name)) return *known;
    Problem problem;
    std::optional<FieldPath> path = Analyse(cls, name, problem);
    if (!path) RaiseEngineError(problem.number, problem.description);
    cls->KeepPath(name, std::make_shared<const FieldPath>(*path));
    return std::move(*path);
}

std::optional<FieldPath> FieldPath::Find(const Ptr<Class>& cls, std::string_view name) {
    if (const auto known = cls->KnownPath(name)) return *known;
    Problem problem;
    std::optional<FieldPath> path = Analyse(cls, name, problem);
    if (path) cls->KeepPath(name, std::make_shared<const FieldPath>(*path));
    return path;
}

}  // namespace ostrellix::standin::kelo

#pragma once

#include <memory>

#include "runtime/ComError.h"

namespace ostrellix {

template <class T>
using Ptr = std::shared_ptr<T>;

// Base of every automation object: reference counted through Ptr, and able
// to hand out a reference to itself (an object that keeps itself alive by
// registering with someone needs one). Interfaces derive from it virtually
// so that one object may implement several of them.
class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;

protected:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;

    template <class T>
    Ptr<T> SelfAs() {
        return std::dynamic_pointer_cast<T>(shared_from_this());
    }
};

using ObjectPtr = Ptr<Object>;

// The object's interface T, or nothing when it does not implement T
// (the platform's TypeOf test and query for an interface).
template <class T, class U>
Ptr<T> As(const Ptr<U>& object) {
    return std::dynamic_pointer_cast<T>(object);
}

template <class T, class U>
bool Is(const Ptr<U>& object) {
    return dynamic_cast<T*>(object.get()) != nullptr;
}

// The object's interface T, as a variable of that type takes it: nothing
// stays nothing; an object that does not implement T raises 13 (type
// mismatch) instead of becoming nothing.
template <class T, class U>
Ptr<T> Cast(const Ptr<U>& object) {
    if (!object) return nullptr;
    auto typed = std::dynamic_pointer_cast<T>(object);
    if (!typed) RaiseRuntimeError(errors::TypeMismatch);
    return typed;
}

// Identity, not equality: true when both references reach the same object,
// through whichever interfaces they were obtained.
template <class A, class B>
bool SameObject(const Ptr<A>& a, const Ptr<B>& b) {
    if (!a || !b) return !a && !b;
    return dynamic_cast<const Object*>(a.get()) == dynamic_cast<const Object*>(b.get());
}

// The object a reference holds. Nothing raises 91 (object variable not
// set), as a call on nothing does on the platform: use it wherever a
// lookup may give nothing and the caller's error handling is to decide.
template <class T>
T& Must(const Ptr<T>& object) {
    if (!object) RaiseRuntimeError(errors::ObjectVariableNotSet);
    return *object;
}

}  // namespace ostrellix

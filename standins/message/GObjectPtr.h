#pragma once

#include <glib-object.h>

#include <memory>

namespace ostrellix::standin::message {

struct GObjectUnref {
    void operator()(void* object) const {
        if (object) g_object_unref(object);
    }
};

// Owns one reference to a GObject (libgsf and gmime objects).
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace ostrellix::standin::message

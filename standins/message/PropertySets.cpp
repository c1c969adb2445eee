#include "standins/message/PropertySets.h"

namespace ostrellix::standin::message::psets {

namespace {

Guid Known(const char* text) { return Guid::Parse(text); }

}  // namespace

Guid Mapi() {
    static const Guid guid = Known("{00020328-0000-0000-C000-000000000046}");
    return guid;
}

Guid InternetHeaders() {
    static const Guid guid = Known("{00020386-0000-0000-C000-000000000046}");
    return guid;
}

Guid Appointment() {
    static const Guid guid = Known("{00062002-0000-0000-C000-000000000046}");
    return guid;
}

Guid Task() {
    static const Guid guid = Known("{00062003-0000-0000-C000-000000000046}");
    return guid;
}

Guid Address() {
    static const Guid guid = Known("{00062004-0000-0000-C000-000000000046}");
    return guid;
}

Guid Common() {
    static const Guid guid = Known("{00062008-0000-0000-C000-000000000046}");
    return guid;
}

Guid Meeting() {
    static const Guid guid = Known("{6ED8DA90-450B-101B-98DA-00AA003F1305}");
    return guid;
}

}  // namespace ostrellix::standin::message::psets

#pragma once

#include "runtime/ClassFactory.h"

namespace ostrellix::standin::mapi {

// The MAPI library as installed on a machine: its two classes,
// "ZQOutRed.ZQRDOSession" and "ZQOutRed.ZQSafeMailItem".
class MapiLibrary {
public:
    static constexpr const char* kSessionProgId = "ZQOutRed.ZQRDOSession";
    static constexpr const char* kSafeMailItemProgId = "ZQOutRed.ZQSafeMailItem";

    static void Register(ClassFactory& factory);
};

}  // namespace ostrellix::standin::mapi

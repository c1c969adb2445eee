#pragma once

#include "runtime/Object.h"

namespace ostrellix::addin {

// The hourglass while any WaitCursor lives: hold one for a block of work.
// All instances share one count; the host's pointer follows it.
class WaitCursor : public virtual Object {
public:
    WaitCursor();
    ~WaitCursor() override;
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void Show() {}

    static int Count();
};

}  // namespace ostrellix::addin

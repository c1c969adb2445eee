#include "core/WaitCursor.h"

#include <cstdint>

#include "contracts/kelo/Codes.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

std::int16_t count = 0;

void ApplyPointer() {
    // Without a host there is no pointer to set; the count still holds.
    if (!Globals::IsConnectedToApplication()) return;
    Globals::Application()->SetMousePointer(count != 0 ? kelo::kPointerHourglass : kelo::kPointerDefault);
}

}  // namespace

WaitCursor::WaitCursor() {
    ++count;
    ApplyPointer();
}

WaitCursor::~WaitCursor() {
    if (count > 0) --count;
    IgnoreErrors(ApplyPointer);
}

int WaitCursor::Count() { return count; }

}  // namespace ostrellix::addin

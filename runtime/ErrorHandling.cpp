#include "runtime/ErrorHandling.h"

#include <exception>
#include <new>

namespace ostrellix {

ComError CurrentError() {
    try {
        throw;
    } catch (const ComError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return ComError(7, "Ostrellix.Runtime", "Out of memory");
    } catch (const std::exception& error) {
        return ComError(errors::Unexpected, "Ostrellix.Runtime", error.what());
    } catch (...) {
        return ComError(errors::Unexpected, "Ostrellix.Runtime", "Unknown failure");
    }
}

}  // namespace ostrellix

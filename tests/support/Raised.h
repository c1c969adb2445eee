#pragma once

#include <optional>

#include "runtime/ComError.h"

namespace ostrellix::testing {

// The error the call raised; nothing when it returned.
template <class Call>
std::optional<ComError> Raised(Call&& call) {
    try {
        call();
    } catch (const ComError& error) {
        return error;
    }
    return std::nullopt;
}

}  // namespace ostrellix::testing

#pragma once

#include <optional>
#include <utility>

#include "runtime/ComError.h"

namespace ostrellix {

// The error of the exception being handled, as a ComError: a ComError as it
// is, any other exception as an unexpected error carrying its message. Call
// only inside a catch block.
ComError CurrentError();

// Runs one step with errors ignored and hands back the error it raised, if
// any, so that a caller may still look at it. This is the one place where an
// error is dropped on purpose: search for IgnoreErrors to find them all.
template <class Step>
std::optional<ComError> IgnoreErrors(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return std::nullopt;
    } catch (...) {
        return CurrentError();
    }
}

// An error trap: runs the body; an error ends it and goes to the handler
// (which reports it, for example at a location). Errors of the handler
// itself are the handler's to deal with.
template <class Body, class Handler>
void Trap(Body&& body, Handler&& handler) {
    std::optional<ComError> error;
    try {
        std::forward<Body>(body)();
        return;
    } catch (...) {
        error = CurrentError();
    }
    std::forward<Handler>(handler)(*error);
}

// Pass-on: runs the body; when it fails, runs the clean-up with errors
// ignored and raises the original error again, unchanged.
template <class Body, class Cleanup>
decltype(auto) PassOn(Body&& body, Cleanup&& cleanup) {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ComError error = CurrentError();
        IgnoreErrors(std::forward<Cleanup>(cleanup));
        throw error;
    }
}

}  // namespace ostrellix

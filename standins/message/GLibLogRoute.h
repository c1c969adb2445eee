#pragma once

#include <glib.h>

#include <string>

#include "contracts/win/IDebugOutput.h"

namespace ostrellix::standin::message {

// While it lives, the log lines of GLib and of the libraries built on it
// (libgsf's "libgsf:msole-CRITICAL ..." on a damaged compound file, gmime's)
// go to a debugger output, after "<source> - ", or nowhere when there is
// none, instead of standard error. Routes nest: the innermost one hears.
// The system has no threads of its own, so one process-wide handler serves.
class GLibLogRoute {
public:
    GLibLogRoute(win::IDebugOutput* output, std::string source);
    ~GLibLogRoute();
    GLibLogRoute(const GLibLogRoute&) = delete;
    GLibLogRoute& operator=(const GLibLogRoute&) = delete;

private:
    static void Handle(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer);

    win::IDebugOutput* output_;
    std::string source_;
    GLibLogRoute* outer_;
    GLogFunc previousHandler_ = nullptr;
};

}  // namespace ostrellix::standin::message

#include "standins/message/GLibLogRoute.h"

#include <utility>

namespace ostrellix::standin::message {

namespace {

GLibLogRoute* innermost = nullptr;

const char* LevelName(GLogLevelFlags level) {
    if (level & G_LOG_LEVEL_ERROR) return "ERROR";
    if (level & G_LOG_LEVEL_CRITICAL) return "CRITICAL";
    if (level & G_LOG_LEVEL_WARNING) return "WARNING";
    if (level & G_LOG_LEVEL_MESSAGE) return "Message";
    if (level & G_LOG_LEVEL_INFO) return "INFO";
    return "DEBUG";
}

}  // namespace

GLibLogRoute::GLibLogRoute(win::IDebugOutput* output, std::string source)
    : output_(output), source_(std::move(source)), outer_(innermost) {
    if (!outer_) previousHandler_ = g_log_set_default_handler(Handle, nullptr);
    innermost = this;
}

GLibLogRoute::~GLibLogRoute() {
    innermost = outer_;
    // GLib does not give back the data of the handler it replaced; the ones
    // installed before a route (GLib's own) take none.
    if (!outer_) g_log_set_default_handler(previousHandler_, nullptr);
}

void GLibLogRoute::Handle(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
    if (!innermost || !innermost->output_) return;
    std::string line = innermost->source_ + " - ";
    if (domain && *domain) line.append(domain).append("-");
    line.append(LevelName(level)).append(": ").append(message ? message : "").append("\r\n");
    innermost->output_->OutputDebugString(line);
}

}  // namespace ostrellix::standin::message

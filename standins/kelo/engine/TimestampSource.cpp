#include "standins/kelo/engine/TimestampSource.h"

#include <filesystem>
#include <map>

namespace ostrellix::standin::kelo {

std::shared_ptr<TimestampSource> TimestampSource::For(const std::string& path, bool inMemory) {
    if (inMemory) return std::make_shared<TimestampSource>();
    static std::mutex mutex;
    static std::map<std::string, std::weak_ptr<TimestampSource>> open;
    const std::lock_guard lock(mutex);
    std::erase_if(open, [](const auto& entry) { return entry.second.expired(); });
    std::error_code error;
    std::filesystem::path file = std::filesystem::weakly_canonical(path, error);
    if (error) file = std::filesystem::absolute(path);
    std::weak_ptr<TimestampSource>& slot = open[file.string()];
    std::shared_ptr<TimestampSource> source = slot.lock();
    if (!source) {
        source = std::make_shared<TimestampSource>();
        slot = source;
    }
    return source;
}

double TimestampSource::Next(double now, const std::function<double()>& stored) {
    const std::lock_guard lock(mutex_);
    if (!last_) last_ = stored();
    last_ = now > *last_ ? now : *last_ + 1.0;
    return *last_;
}

double TimestampSource::Last(const std::function<double()>& stored) {
    const std::lock_guard lock(mutex_);
    if (!last_) last_ = stored();
    return *last_;
}

}  // namespace ostrellix::standin::kelo

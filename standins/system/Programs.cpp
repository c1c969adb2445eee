#include "standins/system/Programs.h"

#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix::standin::system {

namespace {
constexpr std::int32_t kFileNotFound = static_cast<std::int32_t>(0x80070002u);

std::string FileNameKey(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    return text::LCase(slash == std::string_view::npos ? path : path.substr(slash + 1));
}
}  // namespace

void Programs::Register(std::string_view fileName, Launcher launcher) {
    launchers_[FileNameKey(fileName)] = std::move(launcher);
}

std::vector<std::string> Programs::SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

std::int32_t Programs::Start(std::string_view commandLine) const {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    const auto found = words.empty() ? launchers_.end() : launchers_.find(FileNameKey(words.front()));
    if (found == launchers_.end()) {
        throw ComError(kFileNotFound, "WshShell.Run",
                       "The system cannot find the file specified: " + std::string(commandLine));
    }
    words.erase(words.begin());
    return found->second(words);
}

}  // namespace ostrellix::standin::system

#include "standins/translator/Translator.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "runtime/ComError.h"

namespace ostrellix::standin::translator {

namespace {

constexpr const char* kSource = "Brannovika.Translator";

std::string Unescape(std::string_view text, const std::string& path, int line) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) throw ComError(5, kSource, path + ":" + std::to_string(line) + ": a lone backslash");
        switch (text[i]) {
            case 'r': out += '\r'; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case '\\': out += '\\'; break;
            default:
                throw ComError(5, kSource, path + ":" + std::to_string(line) + ": unknown escape \\" + text[i]);
        }
    }
    return out;
}

}  // namespace

std::map<std::string, std::string, std::less<>> Translator::ReadBundle(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ComError(errors::FileNotFound, kSource, "Cannot read the translation bundle " + path);
    std::map<std::string, std::string, std::less<>> texts;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        const auto separator = line.find(" = ");
        if (separator == std::string::npos || separator == 0) {
            throw ComError(5, kSource, path + ":" + std::to_string(number) + ": expected \"key = text\"");
        }
        const std::string key = line.substr(0, separator);
        if (!texts.emplace(key, Unescape(std::string_view(line).substr(separator + 3), path, number)).second) {
            throw ComError(5, kSource, path + ":" + std::to_string(number) + ": the key " + key + " appears twice");
        }
    }
    return texts;
}

void Translator::Load(std::string_view bundle, std::string_view language) {
    std::vector<std::string> candidates{std::string(language)};
    if (const auto dash = language.find('-'); dash != std::string_view::npos) {
        candidates.emplace_back(language.substr(0, dash));
    }
    candidates.emplace_back("en");
    for (const std::string& candidate : candidates) {
        const auto path = std::filesystem::path(folder_) / (std::string(bundle) + "." + candidate + ".txt");
        if (std::filesystem::exists(path)) {
            texts_ = ReadBundle(path.string());
            loaded_ = path.string();
            return;
        }
    }
    throw ComError(errors::FileNotFound, kSource,
                   "No translation bundle " + std::string(bundle) + " for " + std::string(language) + " in " + folder_);
}

std::string Translator::Text(std::string_view key) {
    const auto found = texts_.find(key);
    if (found == texts_.end()) {
        throw ComError(errors::InvalidProcedureCall, kSource,
                       "The key " + std::string(key) + " is not in " + (loaded_.empty() ? "any loaded bundle" : loaded_));
    }
    return found->second;
}

}  // namespace ostrellix::standin::translator

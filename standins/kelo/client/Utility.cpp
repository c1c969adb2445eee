#include "standins/kelo/client/Utility.h"

#include <fstream>

#include "runtime/ComError.h"
#include "runtime/Guid.h"

namespace ostrellix::standin::kelo {

namespace {

constexpr const char* kSource = "Kelo.Utility";

}  // namespace

Utility::Utility(std::filesystem::path workingFolder, std::shared_ptr<const Keyboard> keyboard)
    : workingFolder_(std::move(workingFolder)), keyboard_(std::move(keyboard)) {}

std::string Utility::BuildPath(std::string_view folder, std::string_view name) {
    return (std::filesystem::path(folder) / std::filesystem::path(name)).string();
}

std::string Utility::UniqueName() {
    for (;;) {
        const std::string guid = Guid::New().ToString();
        const std::string name = guid.substr(1, guid.size() - 2);
        bool used = false;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(workingFolder_, error)) {
            if (entry.path().stem() == name) used = true;
        }
        if (!used) return name;
    }
}

std::string Utility::NewGuid() { return Guid::New().ToString(); }

std::string Utility::TempPath() {
    const std::filesystem::path folder = workingFolder_ / "temp";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw ComError(75, kSource, "The folder " + folder.string() + " could not be made: " + error.message());
    return folder.string();
}

bool Utility::FileExists(std::string_view path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

std::string Utility::GetExtension(std::string_view fileName) {
    const std::filesystem::path path(fileName);
    return path.has_extension() ? path.extension().string().substr(1) : std::string();
}

void Utility::AppendToFile(std::string_view path, std::string_view text) {
    const std::filesystem::path file(path);
    std::error_code error;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::app | std::ios::binary);
    out << text << "\r\n";
    if (!out) throw ComError(75, kSource, "The file " + file.string() + " could not be written");
}

}  // namespace ostrellix::standin::kelo

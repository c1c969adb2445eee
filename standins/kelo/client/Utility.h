#pragma once

#include <filesystem>
#include <memory>

#include "contracts/kelo/IUtility.h"
#include "standins/kelo/client/Keyboard.h"

namespace ostrellix::standin::kelo {

// The client's file and key utilities over its working folder.
class Utility final : public ostrellix::kelo::IUtility {
public:
    Utility(std::filesystem::path workingFolder, std::shared_ptr<const Keyboard> keyboard);

    std::string WorkingFolder() override { return workingFolder_.string(); }
    std::string BuildPath(std::string_view folder, std::string_view name) override;
    std::string UniqueName() override;
    std::string NewGuid() override;
    // The folder "temp" in the working folder (made when absent).
    std::string TempPath() override;
    bool FileExists(std::string_view path) override;
    std::string GetExtension(std::string_view fileName) override;
    // Appends the text and a line end; makes the folder when absent.
    void AppendToFile(std::string_view path, std::string_view text) override;
    bool IsKeyDown(std::int32_t keyCode) override { return keyboard_->IsDown(keyCode); }

private:
    std::filesystem::path workingFolder_;
    std::shared_ptr<const Keyboard> keyboard_;
};

}  // namespace ostrellix::standin::kelo

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// The client's file and key utilities. The working folder is where the
// client and its add-ins keep temporary and log files.
class IUtility : public virtual Object {
public:
    virtual std::string WorkingFolder() = 0;
    virtual std::string BuildPath(std::string_view folder, std::string_view name) = 0;
    // A file name (no folder, no extension) not used in the working folder.
    virtual std::string UniqueName() = 0;
    virtual std::string NewGuid() = 0;
    virtual std::string TempPath() = 0;
    virtual bool FileExists(std::string_view path) = 0;
    // The extension of a file name, without the point ("" when none).
    virtual std::string GetExtension(std::string_view fileName) = 0;
    virtual void AppendToFile(std::string_view path, std::string_view text) = 0;
    // True while the key with this virtual key code is held down (17 Control).
    virtual bool IsKeyDown(std::int32_t keyCode) = 0;
};

}  // namespace ostrellix::kelo

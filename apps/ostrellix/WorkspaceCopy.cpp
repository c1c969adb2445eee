#include "apps/ostrellix/WorkspaceCopy.h"

#include <stdlib.h>

#include <string>

#include "runtime/ComError.h"

namespace ostrellix::host {

namespace {

std::filesystem::path NewTemporaryFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "ostrellix-workspace-XXXXXX").string();
    if (!mkdtemp(name.data())) {
        throw ComError(errors::InvalidProcedureCall, "ostrellix", "Cannot make a temporary folder in " + name);
    }
    return name;
}

}  // namespace

WorkspaceCopy::WorkspaceCopy(const Workspace& original) : folder_(NewTemporaryFolder()) {
    std::error_code error;
    std::filesystem::copy(original.Root(), folder_ / "workspace", std::filesystem::copy_options::recursive, error);
    if (error) {
        std::filesystem::remove_all(folder_, error);
        throw ComError(errors::InvalidProcedureCall, "ostrellix",
                       "Cannot copy the workspace " + original.Root().string() + ": " + error.message());
    }
    copy_ = Workspace::Open(folder_ / "workspace");
}

WorkspaceCopy::~WorkspaceCopy() {
    std::error_code ignored;  // a temporary folder left behind is the system's to clean
    std::filesystem::remove_all(folder_, ignored);
}

}  // namespace ostrellix::host

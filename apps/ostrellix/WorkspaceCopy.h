#pragma once

#include "apps/ostrellix/Workspace.h"

namespace ostrellix::host {

// A throwaway copy of a workspace in a new temporary folder, deleted with
// this object. The files are copied while nothing has them open (before a
// machine is composed on the workspace), so the databases are consistent.
class WorkspaceCopy {
public:
    explicit WorkspaceCopy(const Workspace& original);
    ~WorkspaceCopy();
    WorkspaceCopy(const WorkspaceCopy&) = delete;
    WorkspaceCopy& operator=(const WorkspaceCopy&) = delete;

    const Workspace& Copy() const { return copy_; }

private:
    std::filesystem::path folder_;
    Workspace copy_;
};

}  // namespace ostrellix::host

#include "sync/TaskListener.h"

#include "contracts/outlook/ITaskItem.h"

namespace ostrellix::addin {

namespace {

bool Accepts(const ObjectPtr& item) { return Is<outlook::ITaskItem>(item); }

constexpr InspectorListener::Kind kKind = {
    .className = "TaskListener",
    .log = DebugLog("TaskListener - "),
    .newInspectorLocation = "TaskListener.m_OutlookInspectors_NewInspector",
    .accepts = Accepts,
    .saveTag = "SaveTaskItem",
    .openTag = "OpenTaskItem",
    .notFoundKey = "ItemNotFoundInKelo",
};

}  // namespace

TaskListener::TaskListener() : InspectorListener(kKind) {}

}  // namespace ostrellix::addin

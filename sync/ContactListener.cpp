#include "sync/ContactListener.h"

#include "contracts/outlook/IContactItem.h"

namespace ostrellix::addin {

namespace {

bool Accepts(const ObjectPtr& item) { return Is<outlook::IContactItem>(item); }

constexpr InspectorListener::Kind kKind = {
    .className = "ContactListener",
    .log = DebugLog("ContactListener - "),
    .newInspectorLocation = "ContractListener.m_OutlookInspectors_NewInspector",
    .accepts = Accepts,
    .saveTag = "SaveContactItem",
    .openTag = "OpenContactItem",
    .notFoundKey = "ContactNotFoundInKelo",
};

}  // namespace

ContactListener::ContactListener() : InspectorListener(kKind) {}

}  // namespace ostrellix::addin

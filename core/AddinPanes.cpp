#include "contracts/outlook/Constants.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

namespace ol = outlook;

constexpr const char* kOfficeIs32BitValue = "OfficeIs32Bit";
constexpr const char* kOutlookPaneProperty = "OutlookPane";
constexpr const char* kOutlookViewProgID = "KeloOstrellix.OutlookView";
constexpr std::int32_t kPaneIconSize = 24;
constexpr std::int32_t kPaneStyle = 12;

// The client's picture name for a folder of that kind of item.
const char* PaneType(std::int32_t defaultItemType) {
    switch (defaultItemType) {
        case ol::olMailItem: return "MAIL";
        case ol::olAppointmentItem: return "APPOINTMENT";
        case ol::olContactItem: return "CONTACT";
        case ol::olTaskItem: return "TASK";
        default: return "OUTLOOK";
    }
}

// Outlook finds a folder of a store it has not opened yet only when told
// the store; the MAPI library reaches every store of the profile and names
// it. Any trouble on the way means the folder is gone.
Ptr<ol::IFolder> ResolveFolder(const std::string& entryId) {
    Ptr<ol::IFolder> folder;
    IgnoreErrors([&] { folder = Globals::Outlook()->Session()->GetFolderFromID(entryId); });
    if (folder) return folder;
    IgnoreErrors([&] {
        const std::string storeId = Must(Globals::Redemption()->GetFolderFromID(entryId)).StoreID();
        folder = Globals::Outlook()->Session()->GetFolderFromID(entryId, storeId);
    });
    return folder;
}

void AddFolderPane(const Ptr<ol::IFolder>& folder) {
    const auto application = Globals::Application();
    const auto icon = application->Images()->Item(PaneType(folder->DefaultItemType()), kPaneIconSize);
    const auto pane = application->Panes()->Add(folder->Name(), icon, kOutlookViewProgID, kPaneStyle);
    Cast<IDispatch>(pane->Control())->Invoke("Folder", InvokeKind::PropertyPutRef, {Variant(folder)});
    pane->SetProperty(kOutlookPaneProperty, Variant(true));
}

}  // namespace

void Addin::AddFolderPanes() {
    // The client hosts the View Control only in a 32-bit Office.
    if (!Globals::Application()->Value(kOfficeIs32BitValue).ToBoolean()) return;
    for (const std::string& entryId : Globals::Options()->Panes()) {
        if (const auto folder = ResolveFolder(entryId)) AddFolderPane(folder);
    }
}

void Addin::RemoveFolderPanes() {
    const auto panes = Globals::Application()->Panes();
    // Backwards, so that a removal does not move the panes still to be looked at.
    for (std::int32_t i = panes->Count(); i >= 1; --i) {
        if (panes->Item(i)->Property(kOutlookPaneProperty).ToBoolean()) panes->Remove(i);
    }
}

}  // namespace ostrellix::addin

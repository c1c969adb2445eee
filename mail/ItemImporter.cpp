#include "mail/ItemImporter.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/mapi/Constants.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/IMeetingItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "core/Addin.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "mail/RecordLinker.h"
#include "mail/RecordLookup.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("Synchronizer - ");

// A list window on its own (not inside a record window) is no context.
ObjectPtr EffectiveContext(const ObjectPtr& context) {
    const auto explorer = As<kelo::IExplorer>(context);
    return explorer && !explorer->ParentInspector() ? nullptr : context;
}

void DeleteThroughMapi(const Ptr<outlook::IItem>& item) {
    Globals::Redemption()->GetMessageFromID(item->EntryID())->Delete();
}

}  // namespace

Ptr<kelo::IRecord> ItemImporter::ImportRecordFromItem(const Ptr<outlook::IItem>& item, const ObjectPtr& givenContext) {
    const auto contact = As<outlook::IContactItem>(item);
    if (!contact && !Is<outlook::IAppointmentItem>(item) && !Is<outlook::ITaskItem>(item) &&
        !Is<outlook::IMailItem>(item) && !Is<outlook::IMeetingItem>(item)) {
        Tools::RaiseError("Du kan endast spara kontakter, uppgifter, kalenderposter och e-postmeddelande i Kelo.");
    }
    const ObjectPtr context = EffectiveContext(givenContext);
    const auto synchronizer = Globals::Synchronizer();

    Ptr<kelo::IRecord> record = synchronizer->FindRecordFromItem(item);
    if (!record && contact) {
        record = RecordLookup::FindPersonRecordFromContactItem(contact);
        if (!record) record = synchronizer->CreateRecordFromItem(item, context);
        if (record && !context) {
            if (const auto company = RecordLookup::FindCompanyRecordFromContactItem(contact)) {
                RecordLinker::LinkRecordToRecord(record, company);
            }
        } else if (record) {
            RecordLinker::LinkRecordToContext(record, context);
        }
    } else if (!record) {
        record = synchronizer->CreateRecordFromItem(item, context);
        if (record) RecordLinker::LinkRecordToContext(record, context);
    }
    if (record) synchronizer->UpdateRecordFromItemWithContext(record, item, context);
    return record;
}

Ptr<kelo::IRecord> ItemImporter::ImportRecordFromEntryID(std::string_view entryId, const ObjectPtr& context) {
    return ImportRecordFromItem(Globals::Outlook()->Session()->GetItemFromID(entryId), context);
}

Ptr<kelo::IRecord> ItemImporter::ImportRecordFromFile(std::string_view filename, const ObjectPtr& context) {
    const auto item = Globals::Outlook()->CreateItemFromTemplate(filename);
    const auto record = ImportRecordFromItem(item, context);
    IgnoreErrors([&] { DeleteThroughMapi(item); });
    return record;
}

void ItemImporter::DropItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context) {
    Log("DropItem");
    const auto addin = Globals::Addin();
    if (addin && addin->OnDropItem(item, context)) {
        if (const auto record = ImportRecordFromItem(item, context)) {
            const ObjectPtr parent = Is<kelo::IInspector>(context) || Is<kelo::IExplorer>(context) ? context : nullptr;
            const auto window = Globals::Application()->ShowRecord(record, parent, kelo::kShowModeNewWindow);
            window->SetValue("OutlookItem", Variant(item));
            window->SetValue("OutlookItem_Delete", Variant(true));
            window->Show();
            return;
        }
    }
    DeleteThroughMapi(item);
}

void ItemImporter::DropFile(std::string_view filename, const ObjectPtr& context) {
    Log("DropFile");
    const auto addin = Globals::Addin();
    if (!addin || !addin->OnDropFile(filename, context)) return;
    Tools::AddLog(kelo::logtype::Progress, "Receiving dropped file.", "Synchronizer.DropFile", "");
    const std::string extension = text::LCase(text::Right(filename, 4));
    const std::int32_t format = extension == ".msg" ? mapi::olMSG : extension == ".eml" ? mapi::olRFC822Alt : 0;
    const auto drafts = Globals::Redemption()->GetDefaultFolder(outlook::olFolderDrafts);
    const auto session = Globals::Outlook()->Session();
    for (const auto& message : drafts->Import(filename, format)) DropItem(session->GetItemFromID(message->EntryID()), context);
}

}  // namespace ostrellix::addin

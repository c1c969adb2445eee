#include "tests/support/StoreDump.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItem.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "contracts/outlook/IUserProperties.h"
#include "contracts/outlook/IUserProperty.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Engine.h"

namespace ostrellix::testing {

namespace {

std::string ColumnText(const SQLite::Column& column) {
    if (column.isNull()) return "null";
    if (column.isBlob()) return "blob:" + std::to_string(column.getBytes());
    return column.getString();
}

void DumpRecords(SQLite::Database& db, StoreDump& dump) {
    // Ids of records and documents made in a run follow the order they were
    // made in: records are compared by content, documents by what they hold.
    std::map<std::string, std::string> documents;
    SQLite::Statement stored(db, "SELECT id, name, extension, length(data), state FROM kelo_document");
    while (stored.executeStep()) {
        documents[stored.getColumn(0).getString()] = stored.getColumn(1).getString() + "." +
                                                     stored.getColumn(2).getString() + " " +
                                                     stored.getColumn(3).getString() + " bytes, state " +
                                                     stored.getColumn(4).getString();
    }
    for (const auto& [id, document] : documents) dump.documentLines.push_back(document);
    std::ranges::sort(dump.documentLines);
    std::set<std::string> documentColumns;
    std::map<std::string, std::string> fieldNames;
    SQLite::Statement fields(db, "SELECT id, name, type FROM kelo_field");
    while (fields.executeStep()) {
        const std::string column = "f" + fields.getColumn(0).getString();
        fieldNames[column] = fields.getColumn(1).getString();
        if (fields.getColumn(2).getInt() == 27) documentColumns.insert(column);
    }

    std::vector<std::pair<std::int64_t, std::string>> classes;
    SQLite::Statement list(db, "SELECT id, name FROM kelo_class ORDER BY id");
    while (list.executeStep()) classes.emplace_back(list.getColumn(0).getInt64(), list.getColumn(1).getString());
    for (const auto& [classId, name] : classes) {
        SQLite::Statement rows(db, "SELECT * FROM rec_" + std::to_string(classId) + " ORDER BY id");
        while (rows.executeStep()) {
            dump.records.insert(name + ":" + rows.getColumn("id").getString());
            std::string line = name;
            for (int i = 0; i < rows.getColumnCount(); ++i) {
                const std::string column = rows.getColumnName(i);
                if (column == "id" || column == "timestamp") continue;
                std::string value = ColumnText(rows.getColumn(i));
                if (documentColumns.contains(column) && documents.contains(value)) value = documents[value];
                line += "|" + fieldNames[column] + "=" + value;
            }
            dump.recordLines.push_back(line);
        }
    }
    std::ranges::sort(dump.recordLines);
    SQLite::Statement settings(db, R"sql(
        WITH RECURSIVE path(id, name) AS (
            SELECT id, name FROM kelo_setting WHERE parent_id IS NULL
            UNION ALL SELECT s.id, CASE WHEN p.name = '' THEN s.name ELSE p.name || '\' || s.name END
            FROM kelo_setting s JOIN path p ON s.parent_id = p.id)
        SELECT path.name, s.value FROM path JOIN kelo_setting s ON s.id = path.id WHERE s.is_collection = 0)sql");
    while (settings.executeStep()) dump.settings[settings.getColumn(0).getString()] = ColumnText(settings.getColumn(1));
}

std::string Property(const Ptr<outlook::IItem>& item, const char* name) {
    const auto property = item->UserProperties()->Find(name);
    return property ? property->Value().ToString() : "";
}

// What a synchronized item says that its record may have changed: its body,
// and a contact's job title. Line breaks are written out, one item a line.
std::string Content(const Ptr<outlook::IItem>& item) {
    std::string content = item->Body();
    if (const auto contact = As<outlook::IContactItem>(item)) content += "/" + contact->JobTitle();
    return text::Replace(text::Replace(content, "\r", "\\r"), "\n", "\\n");
}

void DumpItems(outlook::IApplication& outlook, StoreDump& dump) {
    const auto session = outlook.Session();
    const std::set<std::int32_t> synchronized{outlook::olFolderCalendar, outlook::olFolderTasks, outlook::olFolderContacts};
    for (const std::int32_t kind : {outlook::olFolderCalendar, outlook::olFolderTasks, outlook::olFolderContacts,
                                    outlook::olFolderInbox, outlook::olFolderSentMail, outlook::olFolderDrafts,
                                    outlook::olFolderOutbox, outlook::olFolderDeletedItems}) {
        const auto folder = session->GetDefaultFolder(kind);
        const auto items = folder->Items();
        for (std::int32_t i = 1; i <= items->Count(); ++i) {
            const auto item = items->Item(i);
            const std::string keloId = Property(item, "KeloID");
            if (!keloId.empty()) dump.keloIds.insert(keloId);
            dump.itemLines.push_back(folder->Name() + "|" + keloId + "|" + Property(item, "KeloChecksum") + "|" +
                                     Property(item, "KeloDatabase") + "|" + item->Subject() + "|" +
                                     item->Categories() + (synchronized.contains(kind) ? "|" + Content(item) : ""));
        }
    }
    std::ranges::sort(dump.itemLines);
}

}  // namespace

StoreDump StoreDump::Of(host::Machine& machine, const std::filesystem::path& workingFolder) {
    StoreDump dump;
    DumpRecords(machine.Kelo().Data()->Db(), dump);
    DumpItems(*machine.Outlook().Running(), dump);
    if (std::ifstream cache{workingFolder / "OutlookCache.xml"}) {
        std::ostringstream text;
        text << cache.rdbuf();
        dump.cache = text.str();
    }
    return dump;
}

std::string StoreDump::Text() const {
    std::ostringstream text;
    for (const std::string& line : recordLines) text << "record " << line << "\n";
    for (const std::string& line : documentLines) text << "document " << line << "\n";
    for (const auto& [name, value] : settings) text << "setting " << name << "=" << value << "\n";
    for (const std::string& line : itemLines) text << "item " << line << "\n";
    text << "cache " << cache << "\n";
    return text.str();
}

}  // namespace ostrellix::testing

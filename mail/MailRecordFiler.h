#pragma once

#include <string_view>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IMailItem.h"

namespace ostrellix::addin {

// Fills a document record from an e-mail: the whole message as a ".msg"
// document inside the record, subject, body and dates in the fields the
// class's labels name, and the person, company and coworker the mail
// belongs to. The fields are found by type and label, never by name.
// Nothing is stored: the caller or the record window does that.
class MailRecordFiler {
public:
    // `item` is an Outlook mail item or a message of the MAPI library.
    static void UpdateRecordFromMailItem(const Ptr<kelo::IRecord>& record, const ObjectPtr& item,
                                         const ObjectPtr& context);
    // The file into the record's document field; nothing else changes.
    static void UpdateRecordFromFile(const Ptr<kelo::IRecord>& record, std::string_view filename);
    // The record's first e-mail field becomes the mail's To.
    static void InitializeMailItemFromRecord(const Ptr<outlook::IMailItem>& item, const Ptr<kelo::IRecord>& record);
};

}  // namespace ostrellix::addin

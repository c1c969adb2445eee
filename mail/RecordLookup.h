#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IContactItem.h"

namespace ostrellix::addin {

// Finding the Kelo company and person of an e-mail address, an Outlook
// contact or a mail, the other party of a mail, the record a host context
// stands for, and the addresses a context offers. Lookups only read, and
// give nothing rather than guess: every search asks for at most two rows
// and accepts exactly one.
class RecordLookup {
public:
    static Ptr<kelo::IRecord> FindRecordFromEmail(std::string_view address, const Ptr<kelo::IClass>& searchClass);
    static Ptr<kelo::IRecord> FindCompanyRecordFromEmail(std::string_view address);
    static Ptr<kelo::IRecord> FindCompanyRecordFromName(std::string_view companyName);
    static Ptr<kelo::IRecord> FindCompanyRecordFromContactItem(const Ptr<outlook::IContactItem>& item);
    static Ptr<kelo::IRecord> FindPersonRecordFromContactItem(const Ptr<outlook::IContactItem>& item);

    // The address of the other party of a mail (an Outlook mail or a
    // message of the MAPI library): the sender of a received mail, the
    // first usable "To" recipient of a sent one; "" when none can be read.
    static std::string GetSenderAddressFromItem(const ObjectPtr& item);
    static bool IsMessageSentToMe(const Ptr<mapi::IMessage>& message);
    static Ptr<kelo::IRecord> FindRecordFromMailItem(const ObjectPtr& item, const Ptr<kelo::IClass>& searchClass);
    static Ptr<kelo::IRecord> FindCompanyRecordFromMailItem(const ObjectPtr& item);

    // A copy of the record a context (record, record window, list entry,
    // list window) stands for.
    static Ptr<kelo::IRecord> GetRecordFromContext(const ObjectPtr& context);
    // The company and person a record is or links to.
    static std::pair<Ptr<kelo::IRecord>, Ptr<kelo::IRecord>> FindCompanyAndPersonFromLink(const Ptr<kelo::IRecord>& record);

    // The addresses a context offers, as a 0-based array; `recipients` is
    // left as it was when there are none.
    static void FindRecipientsFromContext(Variant& recipients, const ObjectPtr& context);
    static void FindRecipientsFromInspector(Variant& recipients, const Ptr<kelo::IInspector>& inspector);
    static void FindRecipientsFromExplorer(Variant& recipients, const Ptr<kelo::IExplorer>& explorer);
    static void FindRecipientsFromRecord(Variant& recipients, const Ptr<kelo::IRecord>& record);

    // An address is an e-mail address when it holds "@".
    static bool IsMailAddress(std::string_view address);
    // The message of an Outlook mail (saved first when new) or the message itself.
    static Ptr<mapi::IMessage> MessageOf(const ObjectPtr& item);

private:
    // The records of the class that meet one condition: the record when
    // exactly one does, and how many came (at most 2).
    static std::pair<Ptr<kelo::IRecord>, std::int32_t> FindSingle(const Ptr<kelo::IClass>& cls,
                                                                  std::string_view condition, std::int32_t op,
                                                                  const Variant& value);
    // "relation.emailfield" of the first relation to a class with an e-mail field.
    static std::optional<std::string> EmailPath(kelo::IClass& cls);
};

}  // namespace ostrellix::addin

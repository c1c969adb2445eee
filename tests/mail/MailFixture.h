#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IRecord.h"
#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IItem.h"
#include "sync/Synchronizer.h"
#include "tests/support/AddinWorld.h"

namespace ostrellix::addin::mailtest {

// The add-in loaded in a started client and attached to a running Outlook,
// on the demo database (Anna Lindqvist is the Outlook profile's user).
class MailTest : public ::testing::Test {
protected:
    MailTest();
    // On a machine set up otherwise (Outlook running and the client started all the same).
    explicit MailTest(ostrellix::testing::AddinWorld::Options options);

    Ptr<kelo::IClass> Class(std::string_view name);
    // The only record of the class whose field holds the value.
    Ptr<kelo::IRecord> Find(std::string_view className, std::string_view field, const Variant& value);
    Ptr<kelo::IRecord> NewRecord(std::string_view className);
    // A stored person with this address (and company, when given).
    Ptr<kelo::IRecord> AddPerson(std::string_view lastName, std::string_view email, std::int32_t companyId = 0);
    Ptr<kelo::IRecord> AddCompany(std::string_view name, std::string_view domain);

    // An Internet message file in the world's folder: the header lines, a blank line, the body.
    std::string WriteEml(const std::string& name, const std::string& headers, const std::string& body = "Hello.");
    // The file stored in Drafts by the MAPI library, as its message and as the Outlook item.
    Ptr<mapi::IMessage> Import(const std::string& path);
    Ptr<outlook::IItem> ImportItem(const std::string& path);
    // A sent mail with these recipients (address, type), in this order.
    Ptr<mapi::IMessage> SentMail(const std::vector<std::pair<std::string, std::int32_t>>& recipients);

    // Items of the user's default folder of the type.
    std::int32_t Count(std::int32_t folderType);
    std::int32_t Documents();
    // Statements the data engine has run so far.
    std::int64_t Statements();

    ostrellix::testing::AddinWorld world{ostrellix::testing::AddinWorld::Options{.outlookRunning = true, .start = true}};
    Ptr<Synchronizer> sync;
};

// Headers of a mail from Maria Sjöberg (a person of Nordvik Trading) to the profile's user.
inline const std::string kFromMaria =
    "From: Maria Sjoberg <maria.sjoberg@nordvik.se>\r\n"
    "To: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
    "Subject: Spring order\r\n"
    "Date: Thu, 02 May 2024 10:00:00 +0000\r\n"
    "Received: from mx.nordvik.se; Thu, 02 May 2024 10:00:07 +0000\r\n";

}  // namespace ostrellix::addin::mailtest

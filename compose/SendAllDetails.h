#pragma once

#include <set>
#include <string>

#include "compose/DetailMail.h"

namespace ostrellix::addin {

// A new mail with the filled-in contact fields of each record of the
// context and of the person and company it relates to, with links back to
// Kelo; a record sent from its record window also goes along as a business
// card. Errors are reported at "SendAllDetails.m_WorkDialog_Work".
class SendAllDetails : public DetailMail {
public:
    SendAllDetails();

    void SendAllDetailsFromContext(const Ptr<kelo::IApplication>& application, std::string_view recipient,
                                   const ObjectPtr& context);

private:
    void AddRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IMailItem>& mail) override;
    void Finish(const Ptr<outlook::IMailItem>& mail, std::int32_t count, bool fromRecordWindow) override;

    // The heading and field lines of one record; `written` holds the values
    // the record's block shows so far, which addresses do not repeat.
    std::string Details(const Ptr<kelo::IRecord>& record, bool related, std::set<std::string>& written);

    Ptr<kelo::IRecord> first_;
    std::string blocks_;
    std::string links_;
};

}  // namespace ostrellix::addin

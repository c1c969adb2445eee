#pragma once

#include <string>

#include "compose/DetailMail.h"

namespace ostrellix::addin {

// A new mail asking the reader to call: the records of the context when
// they are contacts themselves (companies, persons, coworkers, or records
// of a class with phone fields), otherwise the person or company each
// record relates to, each with phone numbers, e-mail addresses and
// business address, and links back to Kelo. Errors are reported at
// "SendPleaseCall.m_WorkDialog_Work".
class SendPleaseCall : public DetailMail {
public:
    SendPleaseCall();

    void SendPleaseCallFromContext(const Ptr<kelo::IApplication>& application, std::string_view recipient,
                                   const ObjectPtr& context);

    // Whether records of the class are the ones to call rather than what the call is about.
    static bool IsContactClass(const Ptr<kelo::IClass>& cls);

private:
    void AddRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IMailItem>& mail) override;
    void Finish(const Ptr<outlook::IMailItem>& mail, std::int32_t count, bool fromRecordWindow) override;

    // The contact's link, its related person or company, then a line per kind of contact data.
    std::string ContactBlock(const Ptr<kelo::IRecord>& contact);
    std::string Subject(std::int32_t count);

    Ptr<kelo::IRecord> first_;
    bool contacts_ = false;
    std::string contactName_;
    std::string blocks_;
    std::string links_;
};

}  // namespace ostrellix::addin

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IWorkDialog.h"
#include "contracts/outlook/IMailItem.h"

namespace ostrellix::addin {

// What the record-detail mails share: the records of a list window's
// selection or of a record window, gathered in the client's work dialog
// with a progress step per record, into one new Outlook mail that is shown
// for the user to address and send. Each kind says what a record adds to
// the mail and writes the mail once all are in.
class DetailMail : public virtual Object {
protected:
    struct Dialog {
        std::string_view caption;  // text keys
        std::string_view text;     // empty: the dialog's own
        std::string_view trap;     // where errors of the work are reported; empty: they reach the caller
    };
    explicit DetailMail(Dialog dialog) : dialog_(dialog) {}

    // Raises "NotAvailable" while the option AllowExport is off.
    void FromContext(const Ptr<kelo::IApplication>& application, std::string_view recipient, const ObjectPtr& context);

    virtual void AddRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IMailItem>& mail) = 0;
    // `fromRecordWindow`: the record came from a record window rather than a list's selection.
    virtual void Finish(const Ptr<outlook::IMailItem>& mail, std::int32_t count, bool fromRecordWindow) = 0;

    struct ClassNames {
        std::string singular, plural;
    };
    // The class's display names, each standing in for the other when one is
    // missing, "contact" and "contacts" when both are.
    static ClassNames NamesOf(const Ptr<kelo::IClass>& cls);
    // The description as links and progress show it.
    static std::string Description(const Ptr<kelo::IRecord>& record);
    // The value of the field labelled as the name, "" when the class has none.
    static std::string NameField(const Ptr<kelo::IRecord>& record);
    // The name field, or for a class without one (persons) its descriptive text.
    static std::string Name(const Ptr<kelo::IRecord>& record);
    // The person and the company the record's relations lead to, in that order, where there are such.
    static std::vector<Ptr<kelo::IRecord>> RelatedContacts(const Ptr<kelo::IRecord>& record);
    static void AddBusinessCard(const Ptr<outlook::IMailItem>& mail, const Ptr<kelo::IRecord>& record);
    std::string Link(const Ptr<kelo::IRecord>& record);

private:
    void Work();

    Dialog dialog_;
    Ptr<kelo::IApplication> application_;
    Ptr<kelo::IWorkDialog> m_WorkDialog;
};

}  // namespace ostrellix::addin

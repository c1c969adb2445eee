#include "compose/DetailMail.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IRecords.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "core/WorkDialogRun.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr std::int32_t kDialogStyle = 7;
constexpr std::int16_t kDescriptionLength = 33;
constexpr std::int32_t kNameLabel = 1;

}  // namespace

void DetailMail::FromContext(const Ptr<kelo::IApplication>& application, std::string_view recipient,
                             const ObjectPtr& context) {
    if (!Must(Globals::Options()).AllowExport()) Tools::RaiseError(Tools::GetText("NotAvailable"));
    const auto self = SelfAs<DetailMail>();  // the dialog's handler runs on this object
    m_WorkDialog = Cast<kelo::IWorkDialog>(application->CreateObject("Kelo.Dialog"));
    m_WorkDialog->SetCaption(Tools::GetText(dialog_.caption));
    if (!dialog_.text.empty()) m_WorkDialog->SetText(Tools::GetText(dialog_.text));
    m_WorkDialog->SetStyle(kDialogStyle);
    m_WorkDialog->SetParameter("Context", Variant(context));
    m_WorkDialog->SetParameter("Recipient", Variant(recipient));
    m_WorkDialog->SetParameter("Application", Variant(application));
    WorkDialogRun::Show(m_WorkDialog, [this] {
        if (dialog_.trap.empty()) {
            Work();
        } else {
            Trap([this] { Work(); }, [this](const ComError& error) { Tools::ReportError(error, dialog_.trap); });
        }
    });
}

void DetailMail::Work() {
    const Variant context = m_WorkDialog->Parameter("Context");
    application_ = m_WorkDialog->Parameter("Application").ToObjectAs<kelo::IApplication>();
    Ptr<kelo::IInspector> inspector;
    Ptr<kelo::IExplorer> explorer;
    IgnoreErrors([&] { inspector = context.ToObjectAs<kelo::IInspector>(); });
    IgnoreErrors([&] { explorer = context.ToObjectAs<kelo::IExplorer>(); });
    const auto records = Cast<kelo::IRecords>(application_->CreateObject("QVR.Records"));
    if (explorer) {
        records->LoadFromSelection(explorer);
    } else if (inspector) {
        records->Add(inspector->Record());
    }
    const auto mail = Cast<outlook::IMailItem>(Globals::Outlook()->CreateItem(outlook::olMailItem));
    const std::int32_t count = records->Count();
    // Rounded as the platform turns a fraction into a whole number: 100 / 8 gives 12.
    const std::int32_t step = count > 0 ? Variant(100.0 / count).ToLong() : 0;
    std::int32_t progress = 0;
    for (std::int32_t i = 1; i <= count; ++i) {
        const auto record = records->Item(i);
        progress += step;
        m_WorkDialog->SetProgress(progress);
        m_WorkDialog->SetText(Description(record));
        AddRecord(record, mail);
    }
    Finish(mail, count, !explorer && inspector);
    mail->Display();
}

DetailMail::ClassNames DetailMail::NamesOf(const Ptr<kelo::IClass>& cls) {
    ClassNames names{cls ? cls->LocalName() : "", cls ? cls->LocalNamePlural() : ""};
    if (names.plural.empty()) names.plural = names.singular;
    if (names.singular.empty()) names.singular = names.plural;
    if (names.singular.empty()) names = {Tools::GetText("contact"), Tools::GetText("contacts")};
    return names;
}

std::string DetailMail::Description(const Ptr<kelo::IRecord>& record) {
    return Addin::TruncateDescription(record->Descriptive(), kDescriptionLength);
}

std::string DetailMail::NameField(const Ptr<kelo::IRecord>& record) {
    const auto field = record->Class()->Fields()->FindByLabel(kNameLabel);
    return field ? text::Trim(record->Text(field->Name())) : std::string();
}

std::string DetailMail::Name(const Ptr<kelo::IRecord>& record) {
    if (record->Class()->Fields()->FindByLabel(kNameLabel)) return NameField(record);
    return text::Trim(record->Descriptive());
}

std::vector<Ptr<kelo::IRecord>> DetailMail::RelatedContacts(const Ptr<kelo::IRecord>& record) {
    Ptr<kelo::IRecord> person, company;
    const auto fields = record->Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (field->Type() != kelo::fieldtype::RelationToOne) continue;
        const std::int32_t label = field->Counterpart()->Class()->Label();
        if (label == kelo::classlabel::Person && !person) person = record->Linked(field->Name());
        if (label == kelo::classlabel::Company && !company) company = record->Linked(field->Name());
    }
    std::vector<Ptr<kelo::IRecord>> related;
    if (person) related.push_back(person);
    if (company) related.push_back(company);
    return related;
}

void DetailMail::AddBusinessCard(const Ptr<outlook::IMailItem>& mail, const Ptr<kelo::IRecord>& record) {
    const auto contact = Cast<outlook::IContactItem>(Globals::Outlook()->CreateItem(outlook::olContactItem));
    Globals::Synchronizer()->UpdateContactItemFromRecord(contact, record);
    mail->AddBusinessCard(contact);
}

std::string DetailMail::Link(const Ptr<kelo::IRecord>& record) {
    return application_->Link(record, kelo::linkkind::Desktop);
}

}  // namespace ostrellix::addin

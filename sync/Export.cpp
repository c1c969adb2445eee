#include "sync/Export.h"

#include <string>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IRecords.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "core/WorkDialogRun.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr std::int32_t kOKCancelInformation = 65;
constexpr std::int32_t kAnswerCancel = 2;
constexpr std::int32_t kProgressInterval = 500;

const char* ConfirmationKey(std::int32_t classLabel) {
    switch (classLabel) {
        case kelo::classlabel::Coworker: return "ExportXCoworkersToOutlook";
        case kelo::classlabel::Person: return "ExportXPeopleToOutlook";
        case kelo::classlabel::ToDo: return "ExportXToDoToOutlook";
        default: return "ExportXItemsToOutlook";
    }
}

}  // namespace

void Export::ExportFromContext(const ObjectPtr& context) {
    if (!Must(Globals::Options()).AllowExport()) Tools::RaiseError(Tools::GetText("NotAvailable"));
    if (const auto inspector = As<kelo::IInspector>(context)) {
        Ptr<outlook::IItem> item;
        Globals::Synchronizer()->ExportRecord(inspector->Record(), item);
        return;
    }
    const auto explorer = As<kelo::IExplorer>(context);
    if (!explorer) return;
    const std::int32_t count = explorer->Selection()->Count();
    if (count >= 2 && Tools::ShowMessage(Tools::GetText(ConfirmationKey(explorer->Class()->Label()),
                                                         std::to_string(count)),
                                         kOKCancelInformation) == kAnswerCancel) {
        return;
    }
    const auto self = SelfAs<Export>();
    m_WorkDialog = Cast<kelo::IWorkDialog>(Globals::Application()->CreateObject("Kelo.Dialog"));
    m_WorkDialog->SetCaption(Tools::GetText("WorkingCaption"));
    m_WorkDialog->SetText(Tools::GetText("Analyzing"));
    m_WorkDialog->SetProgressInterval(kProgressInterval);
    m_WorkDialog->SetParameter("Explorer", Variant(explorer));
    m_WorkDialog->SetParameter("Synchronizer", Variant(Globals::Synchronizer()));
    WorkDialogRun::Show(m_WorkDialog, [this] { OnWork(); });
}

void Export::OnWork() {
    const auto explorer = m_WorkDialog->Parameter("Explorer").ToObjectAs<kelo::IExplorer>();
    const auto sync = m_WorkDialog->Parameter("Synchronizer").ToObjectAs<Synchronizer>();
    const auto records = Cast<kelo::IRecords>(Globals::Application()->CreateObject("QVR.Records"));
    records->LoadFromSelection(explorer);
    const std::int32_t count = records->Count();
    Ptr<outlook::IItem> item;
    for (std::int32_t i = 1; i <= count && !m_WorkDialog->Cancelled(); ++i) {
        m_WorkDialog->SetText(Tools::GetText("SavingX", std::to_string(i)));
        m_WorkDialog->SetProgress(i * 100 / count);
        sync->ExportRecord(records->Item(i), item);
    }
    if (count == 1) m_WorkDialog->SetParameter("Item", Variant(item));
}

}  // namespace ostrellix::addin

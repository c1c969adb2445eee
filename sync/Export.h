#pragma once

#include "contracts/kelo/IWorkDialog.h"

namespace ostrellix::addin {

// Copies Kelo records into Outlook ("KeloOstrellix.Export"): the record of
// a record window, or the records selected in a list window, each into the
// Outlook item paired with it (made when there is none) and marked as
// synchronized. Two or more records are confirmed first; they are exported
// in the client's work dialog, which can be cancelled between records.
class Export : public virtual Object {
public:
    // Raises "NotAvailable" while the option AllowExport is off.
    void ExportFromContext(const ObjectPtr& context);

private:
    void OnWork();

    Ptr<kelo::IWorkDialog> m_WorkDialog;
};

}  // namespace ostrellix::addin

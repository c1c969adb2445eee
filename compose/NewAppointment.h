#pragma once

#include <string_view>

#include "compose/ItemTracker.h"
#include "contracts/outlook/IAppointmentItem.h"

namespace ostrellix::addin {

// A new Outlook appointment for a Kelo record ("KeloOstrellix.NewAppointment"):
// shown prefilled from the record, and filed once the user has saved it as
// an appointment record linked to the record and paired with the item
// (see ItemTracker). The entry members raise what goes wrong; events trap
// and log it.
class NewAppointment : public ItemTracker {
public:
    NewAppointment();

    void NewAppointmentFromContext(const ObjectPtr& context);
    void NewAppointmentFromContextWithSubject(const ObjectPtr& context, std::string_view subject);
    // Follows the item in its own window, then shows it.
    void NewAppointmentFromLink(const Ptr<outlook::IItems>& items, const Ptr<outlook::IAppointmentItem>& item,
                                const Ptr<kelo::IRecord>& link);
    // Follows the item in a window that is open already.
    void NewAppointmentFromLinkWithInspector(const Ptr<outlook::IItems>& items,
                                             const Ptr<outlook::IAppointmentItem>& item,
                                             const Ptr<outlook::IInspector>& inspector, const Ptr<kelo::IRecord>& link);
    // Files a stored appointment now, whether followed or not.
    void SaveWithLink(const Ptr<outlook::IAppointmentItem>& item, const Ptr<kelo::IRecord>& link);

private:
    void FromContext(const ObjectPtr& context, const std::string_view* subject);

    Ptr<kelo::IRecord> CreateRecord() override;
    void UpdateRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item) override;
    bool AskHook(const Ptr<kelo::IRecord>& record) override;
    void File(const Ptr<outlook::IItem>& added) override;
    void Release() override { ForgetLink(); }
};

}  // namespace ostrellix::addin

#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Variant.h"

namespace ostrellix::kelo {

// The Outlook commands of the client's menus, implemented by the Outlook
// add-in. A context is what the user looks at: a record window, a list
// window, a list, a selection, a records collection or a record.
class IOutlookAddin : public virtual Object {
public:
    virtual void IOutlookAddin_DisplayItem(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_NewTask(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_NewMail(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_NewAppointment(const ObjectPtr& context, bool showCalendar) = 0;
    virtual void IOutlookAddin_NewMeeting(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_ReplyMail(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_ReplyAllMail(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_ForwardMail(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_SendToOutlook(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_SendMail(std::string_view text, const Variant& first, const Variant& second) = 0;
    virtual void IOutlookAddin_SendContacts(std::string_view recipient, const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_Synchronize(const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_NewAppointmentWithSubject(const ObjectPtr& context, std::string_view subject) = 0;
    virtual void IOutlookAddin_SendPleaseCall(std::string_view recipient, const ObjectPtr& context) = 0;
    virtual void IOutlookAddin_SendAllDetails(std::string_view recipient, const ObjectPtr& context) = 0;
    virtual std::int16_t IOutlookAddin_GetOutlookVersion() = 0;
    // A file dropped on a window; `handled` true tells the client not to take the drop itself.
    virtual void IOutlookAddin_OptHandleDrop(const ObjectPtr& context, std::string_view fileName, bool& handled) = 0;
};

}  // namespace ostrellix::kelo

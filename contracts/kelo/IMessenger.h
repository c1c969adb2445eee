#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IImage.h"
#include "contracts/kelo/IPool.h"
#include "contracts/kelo/IProperties.h"
#include "contracts/kelo/IWorkDialog.h"

namespace ostrellix::kelo {

// A sending engine of the client's mass mailing. The client gives it the
// class mailed, lets the user compose, validates, opens the recipients
// (a pool of record ids) and sends; Send answers the ids not sent.
class IMessenger : public virtual Object {
public:
    virtual std::string IMessenger_Name() = 0;
    virtual std::string IMessenger_LocalName() = 0;
    virtual Ptr<IImage> IMessenger_Icon(std::int32_t kind) = 0;  // 0 small, 1 medium, 2 large
    virtual std::string IMessenger_OptionsControlProgID() = 0;
    virtual ObjectPtr IMessenger_OptionsControl() = 0;
    virtual bool IMessenger_Compose() = 0;
    virtual void IMessenger_SetClass(const Ptr<IClass>& cls) = 0;
    virtual Ptr<IDocument> IMessenger_Document() = 0;
    virtual void IMessenger_LoadProperties(const Ptr<IProperties>& source) = 0;
    virtual void IMessenger_SaveProperties(const Ptr<IProperties>& target) = 0;
    virtual bool IMessenger_Supports(std::int32_t feature) = 0;
    virtual void IMessenger_Validate() = 0;
    virtual Ptr<IPool> IMessenger_OpenRecipients(const Ptr<IPool>& pool) = 0;
    virtual std::int32_t IMessenger_RecipientCount() = 0;
    virtual Ptr<IPool> IMessenger_Send(const Ptr<IWorkDialog>& dialog, bool dryRun) = 0;
};

}  // namespace ostrellix::kelo

#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IDocumentTemplate.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/kelo/IField.h"
#include "contracts/kelo/IRecord.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// The client's mail channel. Recipients are a text, an array of texts, a
// recipient object or a collection of them; records (of the link mails) are
// a record, a records collection, a record window, a list or a selection.
class IMailer : public virtual Object {
public:
    // The mail templates that belong to a class (and a field of it, when given).
    virtual Ptr<IDocumentTemplates> IMailer_Templates(const Ptr<IClass>& cls, const Ptr<IField>& field) = 0;
    virtual void IMailer_Send(const Variant& recipients, std::string_view subject, std::string_view body,
                              const ObjectPtr& attachments, std::int32_t flags, const ObjectPtr& context) = 0;
    virtual void IMailer_SendTemplate(const Ptr<IDocumentTemplate>& documentTemplate, const Ptr<IRecord>& record,
                                      const ObjectPtr& object, const Variant& recipients,
                                      const ObjectPtr& attachments, std::int32_t flags,
                                      const ObjectPtr& context) = 0;
    virtual void IMailer_SendURL(const Variant& records, std::string_view subject, const Variant& recipients,
                                 const ObjectPtr& object, std::int32_t flags) = 0;
    virtual bool IMailer_Supports(std::int32_t kind, const Variant& value) = 0;
    // A mail of links (linkkind Desktop, Web or Both) to the records.
    virtual void IMailer_SendURLEx(const Variant& records, std::string_view subject, const Variant& recipients,
                                   const ObjectPtr& object, std::int32_t flags, std::int32_t linkKind) = 0;
};

}  // namespace ostrellix::kelo

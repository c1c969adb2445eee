#pragma once

#include <pugixml.hpp>

#include "contracts/mapi/IMessage.h"
#include "runtime/Object.h"

namespace ostrellix::addin {

// A message with its sender, recipients and attachments as an XML tree of
// MAPI properties ("KeloOstrellix.ItemToXML"): the raw MAPI view of the
// message, handed to the Kelo client (the contact import reads embedded
// contacts this way). Each object gives one typed element per property it
// has, in a fixed order; embedded messages nest under their attachments.
class ItemToXML : public virtual Object {
public:
    // `document` becomes <IPM>...</IPM> for an Outlook item or a message of
    // the MAPI library.
    void ExtractXml(const ObjectPtr& item, pugi::xml_document& document);
    // Never implemented: raises 1001.
    [[noreturn]] void Extract(const ObjectPtr& item, pugi::xml_document& document);

private:
    void ExtractMessage(const Ptr<mapi::IMessage>& message, pugi::xml_node node);
    void ExtractProperties(const Ptr<mapi::IMapiObject>& object, pugi::xml_node node);
    void ExtractSender(const Ptr<mapi::IMapiObject>& sender, pugi::xml_node node);
    void ExtractRecipient(const Ptr<mapi::IRecipient>& recipient, pugi::xml_node node);
    void ExtractAttachment(const Ptr<mapi::IAttachment>& attachment, pugi::xml_node node);
    static pugi::xml_node AppendElement(pugi::xml_node parent, const char* name);
    Ptr<mapi::IMapiObject> GetSender(const Ptr<mapi::IMessage>& message);
    static Variant GetMAPIProperty(const Ptr<mapi::IMapiObject>& object, std::uint32_t tag);
};

}  // namespace ostrellix::addin

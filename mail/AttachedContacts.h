#pragma once

#include "contracts/outlook/IMailItem.h"

namespace ostrellix::addin {

// Hands the business cards attached to a mail to the Kelo client's contact
// import: ".vcf" files as they are, embedded items as item XML. The add-in
// reads none of them itself; the new persons open in record windows.
class AttachedContacts {
public:
    static void Import(const Ptr<outlook::IMailItem>& mail);
};

}  // namespace ostrellix::addin

#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IPool.h"
#include "contracts/kelo/IProperties.h"
#include "contracts/kelo/IRecords.h"
#include "runtime/Collection.h"
#include "runtime/Dictionary.h"

namespace ostrellix::addin {

// The recipients of one mailing ("KeloOstrellix.MessengerRecipients"): the
// records to mail in the order added, keyed by their ids; the pool of the
// ids not yet sent; each distinct address once, in lower case. A record
// whose address is not an e-mail address never gets in; one whose address
// another recipient has already (in any case) stays out while the mailing
// ignores duplicates.
class MessengerRecipients : public virtual Object {
public:
    MessengerRecipients();

    // The mailing's property set: its "IgnoreDuplicates" and "Field" are read now.
    void SetProperties(const Ptr<kelo::IProperties>& properties);
    Ptr<kelo::IPool> RecipientsIdPool() { return pool_; }
    std::int16_t Count();
    const Ptr<Collection>& Recipients() { return recipients_; }
    const Ptr<Dictionary>& UniqueEmailAddresses() { return uniqueEmailAddresses_; }

    // Raises "PropertiesNotSet" before the property set was given; a record
    // already in the list raises the duplicate key (457) unless it is
    // skipped as a duplicate address.
    void AddRecipientsFromRecords(const Ptr<kelo::IRecords>& records);
    // The record stays in Recipients; only its id leaves the pool.
    void RemoveRecipientFromPool(const Ptr<kelo::IRecord>& record);
    void RemoveAllRecipientsFromPool();

private:
    bool HasAddress(const std::string& address);

    Ptr<kelo::IProperties> properties_;
    bool ignoreDuplicates_ = false;
    std::string field_;
    Ptr<Collection> recipients_;
    Ptr<kelo::IPool> pool_;
    Ptr<Dictionary> uniqueEmailAddresses_;
};

}  // namespace ostrellix::addin

#pragma once

#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IField.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IRecord.h"

namespace ostrellix::addin {

// Ties a new record to the records around it: the host context it was
// made in, a company, a person, or another record and that record's own
// relations (a record linked to a person also gets the person's company).
// Nothing is stored.
class RecordLinker {
public:
    static void LinkRecordToContext(const Ptr<kelo::IRecord>& record, const ObjectPtr& context);
    static void LinkRecordToExplorer(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IExplorer>& explorer);
    static void LinkRecordToInspector(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IInspector>& inspector);
    static void LinkRecordToCompany(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& company);
    static void LinkRecordToPerson(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& person);
    static void LinkRecordToRecord(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& link);

    // Sets `record`'s relation to `target`'s class to `target`; true when set.
    static bool LinkRecordByClass(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& target);
    // Fills `field` (a relation to one record) of `record` with `linked`, or
    // when none is given with what `source` links to over the same relation.
    static bool CopyRelationFromRecord(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& source,
                                       const Ptr<kelo::IField>& field, Ptr<kelo::IRecord> linked = nullptr);
};

}  // namespace ostrellix::addin

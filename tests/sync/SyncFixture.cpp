#include "tests/sync/SyncFixture.h"

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IUser.h"

namespace ostrellix::addin {

Ptr<kelo::IRecord> SyncTest::NewRecord(std::string_view className, std::initializer_list<FieldValue> values) {
    const auto application = Globals::Application();
    auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
    const auto cls = application->Classes()->FindByName(className);
    Must(cls);
    record->New(cls);
    for (const auto& [field, value] : values) record->SetValue(field, value);
    return record;
}

Ptr<kelo::IRecord> SyncTest::StoredRecord(std::string_view className, std::initializer_list<FieldValue> values) {
    auto record = NewRecord(className, values);
    record->Update();
    return record;
}

Ptr<kelo::IRecord> SyncTest::Reloaded(const Ptr<kelo::IRecord>& record) {
    auto fresh = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
    fresh->Load(record->Class(), record->ID());
    return fresh;
}

std::int32_t SyncTest::CoworkerOf(std::string_view user) {
    return Must(Must(Globals::Application()->FindUser(user)).Record()).ID();
}

}  // namespace ostrellix::addin

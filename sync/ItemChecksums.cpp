#include "sync/ItemChecksums.h"

#include "contracts/kelo/Codes.h"
#include "runtime/Text.h"
#include "sync/Checksum.h"

namespace ostrellix::addin {

namespace {
constexpr std::size_t kRecordFieldPrefix = 100;
}

std::string ItemChecksums::Appointment(mapi::IAppointmentItem& item) {
    return Checksum::Compute(item.Start().ToString() + item.End().ToString() + item.Subject() + item.Location() +
                             item.Body());
}

std::string ItemChecksums::Task(mapi::ITaskItem& item) {
    return Checksum::Compute(item.StartDate().ToString() + item.DueDate().ToString() + item.Subject() +
                             Variant(item.Complete()).ToString() + item.Body());
}

std::string ItemChecksums::Contact(mapi::IContactItem& item) {
    return Checksum::Compute(item.Body() + item.FullName() + item.NickName() + item.JobTitle() +
                             item.Birthday().ToString() + item.MobileTelephoneNumber() + item.Email1Address() +
                             item.Email2Address() + item.HomeTelephoneNumber() + item.HomeAddress() +
                             item.HomeFaxNumber() + item.PersonalHomePage() + item.BusinessTelephoneNumber() +
                             item.BusinessAddress() + item.BusinessFaxNumber() + item.BusinessHomePage());
}

std::string ItemChecksums::Record(kelo::IRecord& record) {
    std::string all;
    const auto fields = record.Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        const std::int32_t type = field->Type();
        if (field->Excluded() || type == kelo::fieldtype::RelationToOne || type == kelo::fieldtype::RelationToMany ||
            type == kelo::fieldtype::Document || field->Label() <= 0) {
            continue;
        }
        all += text::Left(record.Text(field->Name()), kRecordFieldPrefix);
    }
    return Checksum::Compute(text::Replace(text::Replace(all, "\r", ""), "\n", ""));
}

}  // namespace ostrellix::addin

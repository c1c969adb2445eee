#include "messenger/MessengerRecipients.h"

#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

MessengerRecipients::MessengerRecipients()
    : recipients_(std::make_shared<Collection>()),
      pool_(Cast<kelo::IPool>(Globals::Application()->CreateObject("QVR.Pool"))),
      uniqueEmailAddresses_(std::make_shared<Dictionary>()) {}

void MessengerRecipients::SetProperties(const Ptr<kelo::IProperties>& properties) {
    properties_ = properties;
    ignoreDuplicates_ = properties->Value("IgnoreDuplicates").ToBoolean();
    field_ = properties->Value("Field").ToString();
}

std::int16_t MessengerRecipients::Count() { return static_cast<std::int16_t>(pool_->Count()); }

bool MessengerRecipients::HasAddress(const std::string& address) {
    for (std::int32_t i = 1; i <= recipients_->Count(); ++i) {
        const auto known = recipients_->Item(i).ToObjectAs<kelo::IRecord>();
        if (text::EqualsIgnoreCase(known->Text(field_), address)) return true;
    }
    return false;
}

void MessengerRecipients::AddRecipientsFromRecords(const Ptr<kelo::IRecords>& records) {
    if (!properties_) Tools::RaiseError(Tools::GetText("PropertiesNotSet"));
    for (std::int32_t i = 1; i <= records->Count(); ++i) {
        const auto record = records->Item(i);
        const std::string address = record->Text(field_);
        const std::string lower = text::LCase(address);
        if (!Addin::IsValidEMailAddress(Variant(lower))) continue;
        if (HasAddress(address) && ignoreDuplicates_) continue;
        recipients_->Add(Variant(record), std::to_string(record->ID()));
        pool_->Add(record->ID());
        if (!uniqueEmailAddresses_->Exists(lower)) uniqueEmailAddresses_->Add(lower, Variant(address));
    }
}

void MessengerRecipients::RemoveRecipientFromPool(const Ptr<kelo::IRecord>& record) { pool_->Remove(record->ID()); }

void MessengerRecipients::RemoveAllRecipientsFromPool() { pool_->Clear(); }

}  // namespace ostrellix::addin

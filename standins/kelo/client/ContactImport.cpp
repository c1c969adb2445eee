#include "standins/kelo/client/ContactImport.h"

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/client/ItemXmlReader.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Records.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/message/VCardReader.h"

namespace ostrellix::standin::kelo {

namespace {

namespace fieldtype = ostrellix::kelo::fieldtype;
namespace classlabel = ostrellix::kelo::classlabel;
constexpr const char* kSource = "Kelo.ContactImport";

std::vector<std::string> Paths(const Variant& source) {
    std::vector<std::string> paths;
    if (source.IsEmpty() || source.IsNull()) return paths;
    if (!source.IsArray()) return {source.ToString()};
    for (const Variant& item : source.ToArray()) paths.push_back(item.ToString());
    return paths;
}

std::vector<message::ContactCard> ReadCards(const std::string& path) {
    const std::string extension = text::LCase(std::filesystem::path(path).extension().string());
    if (extension == ".vcf") return message::VCardReader().ReadFile(path);
    if (extension == ".xml") return {ItemXmlReader::ReadFile(path)};
    throw ComError(errors::InvalidProcedureCall, kSource,
                   "The file " + path + " is neither a vCard (.vcf) nor an item XML file (.xml)");
}

// An address as the lines a person's address field holds.
std::string AddressText(const message::PostalAddress& address) {
    std::string joined;
    for (const std::string& line : {address.street, text::Trim(address.postalCode + " " + address.city),
                                    address.region, address.country}) {
        if (!line.empty()) joined += (joined.empty() ? "" : "\n") + line;
    }
    return joined;
}

// The card's texts for the person fields, by field label.
std::vector<std::pair<std::int32_t, std::string>> LabelledTexts(const message::ContactCard& card) {
    std::string first = card.firstName, last = card.lastName;
    if (first.empty() && last.empty()) {
        const auto space = card.fullName.find_last_of(' ');
        last = space == std::string::npos ? card.fullName : card.fullName.substr(space + 1);
        if (space != std::string::npos) first = card.fullName.substr(0, space);
    }
    std::vector<std::pair<std::int32_t, std::string>> texts = {
        {30, first},
        {31, last},
        {23, card.email1},
        {24, card.email2},
        {13, card.homePhone},
        {14, card.businessPhone},
        {15, card.mobilePhone},
        {16, card.homeFax},
        {17, card.businessFax},
        {19, AddressText(card.homeAddress)},
        {20, AddressText(card.businessAddress)},
        {21, card.businessHomePage},
        {22, card.personalHomePage},
        {25, card.jobTitle},
        {26, card.nickname},
        {8, card.notes}};
    std::erase_if(texts, [](const auto& entry) { return entry.second.empty(); });
    return texts;
}

// The one company of that name, if there is exactly one.
std::optional<std::int32_t> CompanyNamed(const std::shared_ptr<Engine>& engine, const std::string& name) {
    const Ptr<Class> companies = engine->Metadata().FindByLabel(classlabel::Company);
    if (name.empty() || !companies) return std::nullopt;
    const auto nameField = companies->Fields()->FindByLabel(1);
    if (!nameField) return std::nullopt;
    auto filter = std::make_shared<Filter>();
    filter->Add(nameField->Name(), ostrellix::kelo::op::Equal, Variant(name));
    Records found(engine);
    found.Open(companies, filter, {}, 2);
    if (found.Count() != 1) return std::nullopt;
    return found.Item(1)->ID();
}

}  // namespace

void ContactImport::SetValue(std::string_view name, const Variant& value) {
    for (auto& [key, stored] : values_) {
        if (text::EqualsIgnoreCase(key, name)) {
            stored = value;
            return;
        }
    }
    values_.emplace_back(std::string(name), value);
}

Variant ContactImport::Value(std::string_view name) const {
    for (const auto& [key, value] : values_) {
        if (text::EqualsIgnoreCase(key, name)) return value;
    }
    return {};
}

void ContactImport::Run(std::int32_t mode) {
    if (mode != ostrellix::kelo::kImportContacts) {
        throw ComError(errors::InvalidProcedureCall, kSource,
                       "Import mode " + std::to_string(mode) + " is not known (16 imports contacts)");
    }
    const Ptr<Class> persons = engine_->Metadata().FindByLabel(classlabel::Person);
    if (!persons) RaiseEngineError(engineerror::UnknownClass, "The database has no person class (label 2)");
    std::vector<message::ContactCard> cards;
    for (const std::string& path : Paths(Value("Source"))) {
        for (message::ContactCard& card : ReadCards(path)) cards.push_back(std::move(card));
    }
    const bool delay = Value("Delay").ToBoolean();
    imported_.clear();
    for (const message::ContactCard& card : cards) {
        auto record = std::make_shared<Record>(engine_);
        record->New(persons);
        const auto fill = [&](std::int32_t label, const Variant& value) {
            const auto field = persons->Fields()->FindByLabel(label);
            if (!field) return;
            const std::int32_t maxLength = field->MaxLength();
            const Variant fitted = value.IsString() && maxLength > 0
                                       ? Variant(text::Left(value.ToString(), static_cast<std::size_t>(maxLength)))
                                       : value;
            // A value the field cannot take (a birthday in a number field) leaves the field empty.
            IgnoreErrors([&] { record->SetValue(field->Name(), fitted); });
        };
        for (const auto& [label, value] : LabelledTexts(card)) fill(label, Variant(value));
        if (card.birthday) fill(18, Variant(*card.birthday));
        if (const auto company = CompanyNamed(engine_, card.company)) {
            const auto companies = engine_->Metadata().FindByLabel(classlabel::Company);
            const auto relation = persons->Fields()->FindByRelatedClass(companies);
            if (relation && relation->Type() == fieldtype::RelationToOne) record->SetValue(relation->Name(), Variant(*company));
        }
        bool stored = false;
        if (!delay) {
            const auto refused = IgnoreErrors([&] { record->Check(); });
            if (!refused) {
                record->Update();
                stored = true;
            }
        }
        if (!stored) openWindow_(record);
        imported_.push_back(record);
    }
}

}  // namespace ostrellix::standin::kelo

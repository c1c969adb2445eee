#include "standins/kelo/client/LinkMail.h"

#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IRecords.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix::standin::kelo {

namespace {

void AddSelection(const Ptr<ostrellix::kelo::ISelection>& selection, std::vector<Ptr<ostrellix::kelo::IRecord>>& out) {
    for (std::int32_t i = 1; selection && i <= selection->Count(); ++i) out.push_back(selection->Item(i)->Record());
}

}  // namespace

std::vector<Ptr<ostrellix::kelo::IRecord>> LinkMail::RecordsOf(const Variant& records) {
    std::vector<Ptr<ostrellix::kelo::IRecord>> out;
    const ObjectPtr object = records.IsObject() ? records.ToObject() : nullptr;
    if (const auto record = As<ostrellix::kelo::IRecord>(object)) {
        out.push_back(record);
    } else if (const auto set = As<ostrellix::kelo::IRecords>(object)) {
        for (std::int32_t i = 1; i <= set->Count(); ++i) out.push_back(set->Item(i));
    } else if (const auto inspector = As<ostrellix::kelo::IInspector>(object)) {
        out.push_back(inspector->Record());
    } else if (const auto explorer = As<ostrellix::kelo::IExplorer>(object)) {
        AddSelection(explorer->Selection(), out);
        if (out.empty() && explorer->ActiveItem()) out.push_back(explorer->ActiveItem()->Record());
    } else if (const auto list = As<ostrellix::kelo::IList>(object)) {
        if (const auto current = list->CurrentRecord()) out.push_back(current);
    } else if (const auto selection = As<ostrellix::kelo::ISelection>(object)) {
        AddSelection(selection, out);
    } else {
        throw ComError(errors::TypeMismatch, "Kelo.Application",
                       "Type mismatch: links are made for records, record sets, windows, lists or selections");
    }
    return out;
}

std::vector<std::string> LinkMail::RecipientsOf(const Variant& recipients) {
    std::vector<std::string> out;
    const auto add = [&](const std::string& value) {
        for (const std::string& part : text::Split(value, ";")) {
            if (!text::Trim(part).empty()) out.push_back(text::Trim(part));
        }
    };
    if (recipients.IsEmpty() || recipients.IsNull() || recipients.IsObject()) return out;
    if (recipients.IsArray()) {
        for (const Variant& item : recipients.ToArray()) add(item.ToString());
    } else {
        add(recipients.ToString());
    }
    return out;
}

}  // namespace ostrellix::standin::kelo

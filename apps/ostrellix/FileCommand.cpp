#include "apps/ostrellix/FileCommand.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "contracts/kelo/Codes.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/Windows.h"

namespace ostrellix::host {

namespace {

// The record window or list window the files are dropped on.
ObjectPtr DropTarget(Host& host, const std::optional<std::string>& context) {
    auto& user = host.TheMachine().KeloUser();
    if (!context) {
        const auto documents = addin::Globals::Application()->Classes()->FindByLabel(kelo::classlabel::Document);
        if (!documents) throw ComError(errors::InvalidProcedureCall, "ostrellix", "The database has no document class");
        return user.OpenList(documents->Name());
    }
    const auto parts = text::Split(*context, ":");
    if (parts.size() != 2 || parts[0].empty()) {
        throw ComError(errors::InvalidProcedureCall, "ostrellix",
                       "--context takes CLASS:ID, for example person:3, not \"" + *context + "\"");
    }
    return user.OpenRecord(parts[0], Variant(parts[1]).ToLong());
}

// What a filed document record holds: its subject and what it is linked to.
std::string Describe(kelo::IRecord& record) {
    std::string subject, person, company;
    const auto fields = record.Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        const auto counterpart = field->Counterpart();
        const std::int32_t related = counterpart ? counterpart->Class()->Label() : 0;
        if (field->Label() == 3) subject = record.Text(field->Name());
        if (field->Type() == kelo::fieldtype::RelationToOne && related == kelo::classlabel::Person) {
            person = record.Text(field->Name());
        }
        if (field->Type() == kelo::fieldtype::RelationToOne && related == kelo::classlabel::Company) {
            company = record.Text(field->Name());
        }
    }
    return "record " + std::to_string(record.ID()) + " \"" + subject + "\", person: " +
           (person.empty() ? "none found" : person) + ", company: " + (company.empty() ? "none found" : company);
}

}  // namespace

int FileCommand::Run(Host& host, const std::vector<std::string>& paths, const std::optional<std::string>& context) {
    std::ostream& out = host.Out();
    host.Start();
    auto& app = host.TheMachine().KeloApp();
    auto& user = host.TheMachine().KeloUser();
    const ObjectPtr target = DropTarget(host, context);
    int failed = 0;
    for (const std::string& path : paths) {
        out << path << ": ";
        if (!std::filesystem::is_regular_file(path)) {
            out << "not filed: there is no such file\n";
            ++failed;
            continue;
        }
        const auto before = app.WindowList().Inspectors();
        const std::size_t boxes = app.Boxes().History().size();
        bool handled = false;
        addin::Globals::Addin()->IOutlookAddin_OptHandleDrop(target, std::filesystem::absolute(path).string(), handled);

        std::vector<Ptr<standin::kelo::Inspector>> opened;
        for (const auto& window : app.WindowList().Inspectors()) {
            if (std::find(before.begin(), before.end(), window) == before.end()) opened.push_back(window);
        }
        if (opened.empty()) {
            const auto& history = app.Boxes().History();
            const std::string why = history.size() > boxes ? history.back().text : std::string("the add-in did not take it");
            out << "not filed: " << text::Replace(why, "\r\n", " ") << "\n";
            ++failed;
            continue;
        }
        for (const auto& window : opened) {
            user.Save(window);
            out << "filed as " << Describe(*window->Record()) << "\n";
            user.Close(window);
        }
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace ostrellix::host

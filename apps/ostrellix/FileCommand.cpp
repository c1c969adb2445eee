#include "apps/ostrellix/FileCommand.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "contracts/kelo/Codes.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/Windows.h"

namespace ostrellix::host {

namespace {

struct ContextRecord {
    std::string className;
    std::int32_t id = 0;
};

// Checked before the client starts, so that a mistyped argument costs nothing.
std::optional<ContextRecord> ParseContext(const std::optional<std::string>& context) {
    if (!context) return std::nullopt;
    const auto parts = text::Split(*context, ":");
    const bool numeric = parts.size() == 2 && !parts[1].empty() && parts[1].size() <= 9 &&
                         std::ranges::all_of(parts[1], [](char c) { return c >= '0' && c <= '9'; });
    if (!numeric || parts[0].empty()) {
        throw ComError(errors::InvalidProcedureCall, "ostrellix",
                       "--context takes CLASS:ID, for example person:3, not \"" + *context + "\"");
    }
    return ContextRecord{parts[0], static_cast<std::int32_t>(std::stol(parts[1]))};
}

// The record window or list window the files are dropped on.
ObjectPtr DropTarget(Host& host, const std::optional<ContextRecord>& context) {
    auto& user = host.TheMachine().KeloUser();
    if (!context) {
        const auto documents = addin::Globals::Application()->Classes()->FindByLabel(kelo::classlabel::Document);
        if (!documents) throw ComError(errors::InvalidProcedureCall, "ostrellix", "The database has no document class");
        return user.OpenList(documents->Name());
    }
    return user.OpenRecord(context->className, context->id);
}

// Why a dropped file made no record window when the add-in said nothing.
std::string WhyNotTaken(const std::string& path) {
    const std::string extension = text::LCase(std::filesystem::path(path).extension().string());
    if (extension != ".msg" && extension != ".eml") return "only .msg and .eml files are filed";
    if (!addin::Globals::Options()->AllowDragDrop()) return "dropping files on Kelo is switched off (AllowDragDrop)";
    return "the add-in did not take it";
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
    const auto contextRecord = ParseContext(context);
    host.Start();
    auto& app = host.TheMachine().KeloApp();
    auto& user = host.TheMachine().KeloUser();
    const ObjectPtr target = DropTarget(host, contextRecord);
    int failed = 0;
    for (const std::string& path : paths) {
        if (!std::filesystem::is_regular_file(path)) {
            out << path << ": not filed: there is no such file\n";
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
            const std::string why = history.size() > boxes ? history.back().text : WhyNotTaken(path);
            out << path << ": not filed: " << text::Replace(why, "\r\n", " ") << "\n";
            ++failed;
            continue;
        }
        for (const auto& window : opened) {
            user.Save(window);
            out << path << ": filed as " << Describe(*window->Record()) << "\n";
            user.Close(window);
        }
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace ostrellix::host

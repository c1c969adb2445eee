#include "apps/ostrellix/FileCommand.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "apps/ostrellix/FileOutcome.h"
#include "apps/ostrellix/JsonLines.h"
#include "apps/ostrellix/MessageFileList.h"
#include "apps/ostrellix/ProgressLine.h"
#include "apps/ostrellix/RecordContext.h"
#include "contracts/kelo/Codes.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/MenuCommands.h"
#include "standins/kelo/client/Windows.h"

namespace ostrellix::host {

namespace {

// The record window or list window the files are dropped on.
ObjectPtr DropTarget(Host& host, const std::optional<RecordContext>& context) {
    if (context) return context->Open(host);
    const auto documents = addin::Globals::Application()->Classes()->FindByLabel(kelo::classlabel::Document);
    if (!documents) throw ComError(errors::InvalidProcedureCall, "ostrellix", "The database has no document class");
    return host.TheMachine().KeloUser().OpenList(documents->Name());
}

// Why a dropped file made no record window when the add-in said nothing.
std::string WhyNotTaken(const std::string& path) {
    const std::string extension = text::LCase(std::filesystem::path(path).extension().string());
    if (extension != ".msg" && extension != ".eml") return "only .msg and .eml files are filed";
    if (!addin::Globals::Options()->AllowDragDrop()) return "dropping files on Kelo is switched off (AllowDragDrop)";
    return "the add-in did not take it";
}

// What a stored document record holds: its subject and what it is linked to.
FileOutcome::Record Describe(kelo::IRecord& record) {
    FileOutcome::Record described{record.Class()->Name(), record.ID(), {}, {}, {}};
    const auto fields = record.Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        const auto counterpart = field->Counterpart();
        const std::int32_t related = counterpart ? counterpart->Class()->Label() : 0;
        if (field->Label() == 3) described.subject = record.Text(field->Name());
        if (field->Type() == kelo::fieldtype::RelationToOne && related == kelo::classlabel::Person) {
            described.person = record.Text(field->Name());
        }
        if (field->Type() == kelo::fieldtype::RelationToOne && related == kelo::classlabel::Company) {
            described.company = record.Text(field->Name());
        }
    }
    return described;
}

// Drops the file on the target and saves and closes every record window
// the add-in opened for it. The file was listed earlier and may be gone.
void FileOne(Host& host, const ObjectPtr& target, FileOutcome& outcome) {
    std::error_code error;
    if (!std::filesystem::exists(outcome.path, error)) {
        outcome.failure = "there is no such file";
        return;
    }
    if (!std::filesystem::is_regular_file(outcome.path, error)) {
        outcome.failure = "it is not a regular file";
        return;
    }
    auto& app = host.TheMachine().KeloApp();
    auto& user = host.TheMachine().KeloUser();
    const auto before = app.WindowList().Inspectors();
    const std::size_t boxes = app.Boxes().History().size();
    standin::kelo::MenuCommands(host.TheMachine().Kelo())
        .DropFile(target, std::filesystem::absolute(outcome.path).string());
    const auto& history = app.Boxes().History();
    for (std::size_t i = boxes; i < history.size(); ++i) outcome.messages.push_back(history[i].text);

    std::vector<Ptr<standin::kelo::Inspector>> opened;
    for (const auto& window : app.WindowList().Inspectors()) {
        if (std::find(before.begin(), before.end(), window) == before.end()) opened.push_back(window);
    }
    if (opened.empty()) {
        outcome.failure = outcome.messages.empty() ? WhyNotTaken(outcome.path) : outcome.messages.back();
        return;
    }
    for (const auto& window : opened) {
        // A record the data engine refuses stays unsaved; closing the window lets it go.
        Trap([&] {
                 user.Save(window);
                 outcome.records.push_back(Describe(*window->Record()));
             },
             [&](const ComError& refused) { outcome.failure = "the record was not saved: " + refused.Description(); });
        user.Close(window);
    }
}

}  // namespace

int FileCommand::Run(Host& host, const std::vector<std::string>& paths, const std::optional<std::string>& context) {
    const auto contextRecord = RecordContext::Parse(context);
    const MessageFileList list(paths);
    host.Start();
    return Drop(host, list, contextRecord);
}

int FileCommand::Drop(Host& host, const MessageFileList& list, const std::optional<RecordContext>& context) {
    std::ostream& out = host.Out();
    const ObjectPtr target = DropTarget(host, context);

    std::optional<JsonLines> json;
    if (host.Json()) json.emplace(*host.Json());
    std::optional<ProgressLine> progress;
    if (host.Progress()) {
        progress.emplace(*host.Progress(), list.Files(), "files");
        progress->Advance(0);  // "0/N files" while the first one is filed
    }
    // Whatever goes to the output starts on a line of its own, below the progress.
    const auto report = [&](const FileOutcome& outcome) {
        if (progress) progress->Clear();
        if (json) {
            json->Write(outcome.Json());
        } else {
            outcome.Print(out);
            out.flush();
        }
    };

    bool failed = false;
    for (const auto& entry : list.Entries()) {
        FileOutcome outcome{entry.path, {}, {}, {}};
        switch (entry.kind) {
            case MessageFileList::Entry::Kind::EmptyFolder:
                if (progress) progress->Clear();
                out << entry.path << ": no .msg or .eml files in this folder\n";
                continue;
            case MessageFileList::Entry::Kind::UnreadableFolder:
                outcome.failure = "the folder could not be read: " + entry.problem;
                break;
            case MessageFileList::Entry::Kind::File:
                // Anything that goes wrong with one file is that file's failure; the batch goes on.
                Trap([&] { FileOne(host, target, outcome); },
                     [&](const ComError& error) { outcome.failure = error.Description(); });
                break;
        }
        failed = failed || !outcome.Filed();
        report(outcome);
        if (progress && entry.kind == MessageFileList::Entry::Kind::File) progress->Advance();
    }
    return failed ? 1 : 0;
}

}  // namespace ostrellix::host

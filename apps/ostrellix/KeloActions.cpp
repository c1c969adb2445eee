#include "apps/ostrellix/KeloActions.h"

#include <ostream>
#include <regex>

#include "apps/ostrellix/FileCommand.h"
#include "apps/ostrellix/Mistake.h"
#include "apps/ostrellix/OutlookItemView.h"
#include "apps/ostrellix/RecordContext.h"
#include "apps/ostrellix/TypedValue.h"
#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDocumentTemplate.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/kelo/IFields.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IInspectors.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/IRecipient.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::host {

namespace {

namespace ol = outlook;
using standin::kelo::MenuCommands;

constexpr std::int32_t kControlKey = 17;

std::vector<Ptr<ol::IInspector>> OutlookWindows(Host& host) {
    std::vector<Ptr<ol::IInspector>> windows;
    if (const auto outlook = host.TheMachine().Outlook().Running()) {
        const auto inspectors = outlook->Inspectors();
        for (std::int32_t i = 1; i <= inspectors->Count(); ++i) windows.push_back(inspectors->Item(i));
    }
    return windows;
}

bool Contains(const std::vector<Ptr<ol::IInspector>>& windows, const Ptr<ol::IInspector>& window) {
    for (const auto& known : windows) {
        if (SameObject(known, window)) return true;
    }
    return false;
}

std::int32_t LinkKind(const std::string& links) {
    if (links == "web") return kelo::linkkind::Web;
    if (links == "both") return kelo::linkkind::Both;
    return kelo::linkkind::Desktop;
}

// The links of a mail's HTML body, in order.
std::vector<std::string> Links(const Ptr<ol::IItem>& item) {
    std::vector<std::string> links;
    const auto mail = As<ol::IMailItem>(item);
    if (!mail) return links;
    const std::string html = mail->HTMLBody();
    const std::regex href("HREF='([^']*)'", std::regex::icase);
    for (auto match = std::sregex_iterator(html.begin(), html.end(), href); match != std::sregex_iterator(); ++match) {
        links.push_back((*match)[1].str());
    }
    return links;
}

void ShowWindow(ActionOutput& output, const Ptr<ol::IItem>& item) {
    OutlookItemView view(item);
    nlohmann::json details = view.Details();
    details["links"] = Links(item);
    output.Result({{"action", "shown"}, {"item", details}}, [&](std::ostream& out) {
        const std::string entryId = details["entryId"];
        out << "Outlook shows "
            << (entryId.empty() ? "a new " + view.Kind() + ", not saved yet"
                                : view.Kind() + " " + entryId + " in " + details["folder"].get<std::string>())
            << ":\n  Subject: " << details["subject"].get<std::string>() << "\n";
        for (const auto& [name, value] : view.Properties()) {
            if (name != "Subject") out << "  " << name << ": " << value << "\n";
        }
        out << "  Body: " << details["body"].get<std::string>() << "\n";
        for (const auto& name : details["attachments"]) out << "  Attachment: " << name.get<std::string>() << "\n";
        for (const auto& link : details["links"]) out << "  Link: " << link.get<std::string>() << "\n";
    });
}

}  // namespace

KeloActions::KeloActions(ActionGroup& group)
    : mail_(group),
      booking_(group),
      details_(group),
      documents_(group),
      mailing_(group),
      compose_(group),
      filters_(group),
      panes_(group),
      options_(group) {
    auto& synchronize = group.Add("synchronize", "Outlook > Synchronize: a full run, or a partial one with --partial",
                                  [this](Host& host, ActionOutput& output) { return Synchronize(host, output); });
    synchronize.add_flag("--partial", partial_, "Hold Ctrl while choosing it: a partial run");
    synchronize.add_option("--context", optionalContext_, "The record window it is chosen in, CLASS:ID");

    auto& edit = group.Add("edit", "Type values into a record window's fields and save the record",
                           [this](Host& host, ActionOutput& output) { return Edit(host, output); });
    edit.add_option("--context", context_, "The record, CLASS:ID (for example todo:1)")->required();
    edit.add_option("--set", settings_,
                    "FIELD=VALUE by the field's name (subject, start, email ...); dates as \"YYYY-MM-DD hh:mm\"; "
                    "repeat for more")
        ->required();

    AddOnRecord(group, "show-in-outlook", "Show the record's Outlook item (or be offered to export the record)",
                [](MenuCommands& menu, const ObjectPtr& window) { menu.ShowInOutlook(window); });
    auto& exportAction = group.Add("export", "Send to Outlook: the record of a window, or records selected in a list",
                                   [this](Host& host, ActionOutput& output) { return Export(host, output); });
    exportAction.alias("send-to-outlook");
    exportAction.add_option("--context", optionalContext_, "The record the user has open, CLASS:ID");
    exportAction.add_option("--selection", selection_,
                            "Records selected in a list window of their class, CLASS:ID,ID,...; two or more are "
                            "confirmed first (--yes or --no before the command answers)");

    auto& links = group.Add("send-links", "An Outlook mail of links to records, shown for the user to send",
                            [this](Host& host, ActionOutput& output) { return SendLinks(host, output); });
    links.add_option("--context", contexts_, "A record, CLASS:ID; repeat for more (of one class)");
    links.add_option("--records", records_, "Records of one class, CLASS:ID,CLASS:ID...");
    links.add_option("--subject", subject_, "Subject (default: one made from the records)");
    links.add_option("--to", to_, "A recipient; repeat for more");
    links.add_option("--cc", cc_, "A copy recipient; repeat for more");
    links.add_option("--bcc", bcc_, "A blind copy recipient; repeat for more");
    links.add_option("--links", links_, "desktop (default), web or both")
        ->check(CLI::IsMember({"desktop", "web", "both"}));

    auto& drop = group.Add("drop", "Drop .msg and .eml files (or folders of them) on the record window",
                           [this](Host& host, ActionOutput& output) { return Drop(host, output); });
    drop.add_option("files", files_, "Message files, and folders: every .msg and .eml file in them")->required();
    drop.add_option("--context", optionalContext_,
                    "The record window, CLASS:ID (default: a list window of documents)");

    auto& templates = group.Add("templates", "The mail templates the add-in offers for a class (and a field)",
                                [this](Host& host, ActionOutput& output) { return Templates(host, output); });
    templates.add_option("--class", className_, "The class, by name (person, company ...)")->required();
    templates.add_option("--field", field_, "A field of the class, by name");

    auto& pick = group.Add("pick-recipient",
                           "Pick from Outlook: one name from Outlook's address book, in its select-names dialog",
                           [this](Host& host, ActionOutput& output) { return PickRecipient(host, output); });
    auto* name = pick.add_option("--pick", pick_, "The name the user picks (default: asked on a terminal)");
    pick.add_flag("--cancel", cancel_, "The user cancels the dialog")->excludes(name);
}

CLI::App& KeloActions::AddOnRecord(ActionGroup& group, const std::string& name, const std::string& description,
                                   Command command) {
    auto& action = group.Add(name, description, [this, command](Host& host, ActionOutput& output) {
        const auto context = RecordContext::Parse(context_);
        const auto window = context.Open(host);
        RunCommand(host, output, window, command);
        host.TheMachine().KeloUser().Close(window);
        return 0;
    });
    action.add_option("--context", context_, "The record the user has open, CLASS:ID (for example person:3)")
        ->required();
    return action;
}

void KeloActions::RunCommand(Host& host, ActionOutput& output, const ObjectPtr& window, const Command& command) {
    const auto before = OutlookWindows(host);
    MenuCommands menu(host.TheMachine().Kelo());
    command(menu, window);
    // What the add-in left open in Outlook is the user's to finish: a new item shown, not yet saved.
    for (const auto& shown : OutlookWindows(host)) {
        if (!Contains(before, shown)) ShowWindow(output, shown->CurrentItem());
    }
}

int KeloActions::Synchronize(Host& host, ActionOutput& output) {
    const auto context = RecordContext::Parse(optionalContext_);
    ObjectPtr window;
    if (context) window = context->Open(host);
    auto& user = host.TheMachine().KeloUser();
    const auto run = [&] { RunCommand(host, output, window, [](MenuCommands& menu, const ObjectPtr& on) {
                               menu.Synchronize(on);
                           }); };
    if (partial_) {
        user.PressKeyDuring(kControlKey, run);
    } else {
        run();
    }
    if (context) user.Close(Cast<standin::kelo::Inspector>(window));
    return 0;
}

int KeloActions::Edit(Host& host, ActionOutput& output) {
    const auto context = RecordContext::Parse(context_);
    std::vector<std::pair<std::string, std::string>> changes;
    for (const std::string& setting : settings_) {
        const auto equals = setting.find('=');
        if (equals == std::string::npos || equals == 0) Mistake("--set takes FIELD=VALUE, not \"" + setting + "\"");
        changes.emplace_back(setting.substr(0, equals), setting.substr(equals + 1));
    }
    auto& user = host.TheMachine().KeloUser();
    const auto window = context.Open(host);
    const auto record = window->Record();
    // Every value is checked before the first is typed, so that a mistake leaves the record as it was.
    std::vector<std::pair<std::string, Variant>> values;
    PassOn(
        [&] {
            for (const auto& [name, value] : changes) {
                if (!record->Class()->Fields()->FindByName(name)) {
                    Mistake("A " + context.ClassName() + " has no field " + name);
                }
                values.emplace_back(name, TypedValue::FromText(name, record->Value(name), value));
            }
        },
        [&] { user.Close(window); });
    for (const auto& [name, value] : values) user.Edit(window, name, value);
    user.Save(window);
    user.Close(window);
    output.Result({{"action", "edit"}, {"record", context.Text()}},
                  [&](std::ostream& out) { out << "Saved " << context.ClassName() << " " << context.Id() << "\n"; });
    return 0;
}

ObjectPtr KeloActions::OpenWindow(Host& host, const std::optional<std::string>& context,
                                  const std::optional<std::string>& selection, const std::string& action) {
    if (context.has_value() == selection.has_value()) {
        Mistake(action + " takes the record window (--context CLASS:ID) or a selection (--selection CLASS:ID,ID,...)");
    }
    if (const auto record = RecordContext::Parse(context)) return record->Open(host);
    auto& user = host.TheMachine().KeloUser();
    const std::vector<std::string> parts = text::Split(*selection, ",");
    const auto first = RecordContext::Parse(text::Trim(parts.front()), "--selection");
    std::vector<std::int32_t> ids{first.Id()};
    for (std::size_t i = 1; i < parts.size(); ++i) {
        ids.push_back(RecordContext::Parse(first.ClassName() + ":" + text::Trim(parts[i]), "--selection").Id());
    }
    // Every record must be there before the list opens.
    for (const std::int32_t id : ids) user.Close(RecordContext::Parse(first.ClassName() + ":" + std::to_string(id)).Open(host));
    const auto list = user.OpenList(first.ClassName());
    user.Select(list, ids);
    return list;
}

int KeloActions::Export(Host& host, ActionOutput& output) {
    const auto window = OpenWindow(host, optionalContext_, selection_, "export");
    RunCommand(host, output, window, [](MenuCommands& menu, const ObjectPtr& on) { menu.SendToOutlook(on); });
    if (const auto inspector = As<standin::kelo::Inspector>(window)) host.TheMachine().KeloUser().Close(inspector);
    return 0;
}

int KeloActions::SendLinks(Host& host, ActionOutput& output) {
    std::vector<RecordContext> records;
    for (const std::string& context : contexts_) records.push_back(RecordContext::Parse(context));
    if (records_) {
        for (const std::string& part : text::Split(*records_, ",")) {
            records.push_back(RecordContext::Parse(text::Trim(part), "--records"));
        }
    }
    if (records.empty()) Mistake("send-links needs the records: --context CLASS:ID or --records CLASS:ID,...");
    for (const auto& record : records) {
        if (record.ClassName() != records.front().ClassName()) {
            Mistake("send-links takes records of one class: " + records.front().Text() + " and " + record.Text());
        }
    }
    // One record is sent from its record window; several are the selection of a list window.
    ObjectPtr window;
    if (records.size() == 1) {
        window = records.front().Open(host);
    } else {
        auto& user = host.TheMachine().KeloUser();
        for (const auto& record : records) user.Close(record.Open(host));
        const auto list = user.OpenList(records.front().ClassName());
        std::vector<std::int32_t> ids;
        for (const auto& record : records) ids.push_back(record.Id());
        user.Select(list, ids);
        window = list;
    }
    Variant recipients;
    if (!to_.empty() || !cc_.empty() || !bcc_.empty()) {
        // The client hands the recipients as Outlook recipients of a mail it never saves.
        const auto scratch = Cast<ol::IMailItem>(host.TheMachine().Outlook().Running()->CreateItem(ol::olMailItem));
        const auto add = [&](const std::vector<std::string>& names, std::int32_t type) {
            for (const std::string& name : names) {
                const auto recipient = scratch->Recipients()->Add(name);
                recipient->SetType(type);
                if (!recipient->Resolve()) Mistake("Outlook's address book does not know \"" + name + "\"");
            }
        };
        add(to_, ol::olTo);
        add(cc_, ol::olCC);
        add(bcc_, ol::olBCC);
        recipients = Variant(ObjectPtr(scratch->Recipients()));
    }
    RunCommand(host, output, window, [&](MenuCommands& menu, const ObjectPtr& on) {
        menu.SendLinks(on, LinkKind(links_), subject_, recipients);
    });
    if (const auto inspector = As<standin::kelo::Inspector>(window)) host.TheMachine().KeloUser().Close(inspector);
    return 0;
}

int KeloActions::Drop(Host& host, ActionOutput& /*output*/) {
    const auto context = RecordContext::Parse(optionalContext_);
    return FileCommand::Drop(host, MessageFileList(files_), context);
}

int KeloActions::Templates(Host& host, ActionOutput& output) {
    auto& app = host.TheMachine().KeloApp();
    const auto cls = app.Classes()->FindByName(className_);
    if (!cls) Mistake("There is no class " + className_);
    Ptr<kelo::IField> field;
    if (field_) {
        field = cls->Fields()->FindByName(*field_);
        if (!field) Mistake("The class " + className_ + " has no field " + *field_);
    }
    const auto templates = MenuCommands(host.TheMachine().Kelo()).MailTemplates(cls, field);
    const std::string offered = className_ + (field_ ? "." + *field_ : "");
    if (!output.Json()) {
        output.Note() << templates->Count() << (templates->Count() == 1 ? " mail template" : " mail templates")
                      << " for " << offered << "\n";
    }
    for (std::int32_t i = 1; i <= templates->Count(); ++i) {
        const auto entry = templates->Item(i);
        output.Result({{"template", entry->Name()}, {"location", entry->Location()}, {"extension", entry->Extension()}},
                      [&](std::ostream& out) {
                          out << "  " << entry->Name() << "  ." << entry->Extension() << "  location \""
                              << entry->Location() << "\"\n";
                      });
    }
    return 0;
}

int KeloActions::PickRecipient(Host& host, ActionOutput& output) {
    Machine& machine = host.TheMachine();
    std::optional<std::string> name = pick_;
    if (!name && !cancel_ && host.InputIsTerminal()) {
        host.Out() << "Outlook's select-names dialog: the name to pick (empty: Cancel): " << std::flush;
        std::string typed;
        if (std::getline(host.In(), typed) && !text::Trim(typed).empty()) name = text::Trim(typed);
    }
    standin::outlook::SimulatedUser user(machine.Outlook().Running());
    if (name) {
        // The dialog lists only what the address book holds.
        if (!machine.OutlookProfile().Book().Resolve(*name)) {
            Mistake("Outlook's address book has no one (or more than one) by the name \"" + *name + "\"");
        }
        user.WillChooseNames({{*name, ol::olTo}});
    } else {
        user.WillCancelSelectNames();
    }
    const auto picked = As<ol::IRecipient>(MenuCommands(machine.Kelo()).PickOutlookRecipient());
    if (!picked) {
        output.Result({{"action", "pick-recipient"}, {"picked", nullptr}},
                      [](std::ostream& out) { out << "Nothing picked: the select-names dialog was cancelled\n"; });
        return 0;
    }
    const auto entry = picked->AddressEntry();
    const nlohmann::json recipient = {{"name", picked->Name()},
                                      {"address", picked->Address()},
                                      {"addressType", entry ? entry->Type() : ""},
                                      {"entryId", entry ? entry->ID() : ""}};
    output.Result({{"action", "pick-recipient"}, {"picked", recipient}}, [&](std::ostream& out) {
        out << "Picked in Outlook: " << picked->Name() << "\n  Address: " << picked->Address()
            << "\n  Address type: " << recipient["addressType"].get<std::string>()
            << "\n  EntryID: " << recipient["entryId"].get<std::string>() << "\n";
    });
    return 0;
}

}  // namespace ostrellix::host

// Filing mail at the scale of a large customer database: 10,000 persons of
// 1,000 companies in a workspace's Kelo database (a file, as the host
// program keeps it). The lookups by address that every filed mail runs,
// with the statements each costs, and 1,000 mail files of a few KB (every
// fifth with a small attachment) dropped on the list of documents in turn
// and saved in the record window, as `ostrellix file` does it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "apps/ostrellix/Host.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "runtime/Base64.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/Windows.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Schema.h"
#include "sync/Synchronizer.h"
#include "tests/support/SourceTree.h"

namespace {

using namespace ostrellix;

constexpr std::int32_t kCompanies = 1000;
constexpr std::int32_t kPersonsPerCompany = 10;
constexpr std::int32_t kFiles = 1000;

std::string Domain(std::int32_t company) { return "company" + std::to_string(company) + ".example"; }
std::string Address(std::int32_t person) {
    return "person" + std::to_string(person) + "@" + Domain(person / kPersonsPerCompany);
}

// A mail of a few KB: received from a person of the database, or (every
// fifth) sent by the profile's user to one, then with a small attachment.
std::string Mail(std::int32_t n) {
    const std::string other = Address(n * 7 % (kCompanies * kPersonsPerCompany));
    const bool sent = n % 5 == 0;
    std::ostringstream mail;
    mail << "From: " << (sent ? "Anna Lindqvist <anna.lindqvist@demo.example>" : other) << "\r\n"
         << "To: " << (sent ? other : "Anna Lindqvist <anna.lindqvist@demo.example>") << "\r\n"
         << "Subject: Order " << n << " for the spring season\r\n"
         << "Date: Thu, 02 May 2024 10:00:00 +0000\r\nMIME-Version: 1.0\r\n";
    std::string body;
    for (int line = 0; line < 40; ++line) {
        body += "Line " + std::to_string(line) + " of the order: 40 units at the spring price, delivered in May.\r\n";
    }
    if (!sent) {
        mail << "Content-Type: text/plain; charset=utf-8\r\n\r\n" << body;
        return mail.str();
    }
    std::string attachment;
    while (attachment.size() < 1500) attachment += "article;units;price\r\nA-100;40;12.50\r\n";
    mail << "Content-Type: multipart/mixed; boundary=\"part\"\r\n\r\n"
         << "--part\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n" << body
         << "--part\r\nContent-Type: text/csv; name=\"prices.csv\"\r\nContent-Disposition: attachment; "
            "filename=\"prices.csv\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
    const std::string encoded = Base64Encode(Bytes(attachment.begin(), attachment.end()));
    for (std::size_t at = 0; at < encoded.size(); at += 76) mail << encoded.substr(at, 76) << "\r\n";
    mail << "--part--\r\n";
    return mail.str();
}

// The client started with the add-in on a fresh workspace that holds the
// demo data, the companies and persons, and the mail files.
struct Workspace {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("ostrellix-mail-bench-" + std::to_string(std::random_device()()));
    std::ostringstream out;
    std::unique_ptr<host::Host> host;
    std::vector<std::string> files;

    Workspace() {
        host::Host::Setup setup{host::Workspace::Open(folder / "workspace")};
        setup.output = &out;
        setup.outlookRunning = true;
        setup.moduleFolder = testing::SourceTree().string();
        host = std::make_unique<host::Host>(std::move(setup));
        host->Start();
        AddCompaniesAndPersons();
        std::filesystem::create_directories(folder / "mails");
        for (std::int32_t n = 0; n < kFiles; ++n) {
            files.push_back((folder / "mails" / ("mail" + std::to_string(n) + ".eml")).string());
            std::ofstream(files.back(), std::ios::binary) << Mail(n);
        }
    }
    ~Workspace() {
        host.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    void AddCompaniesAndPersons() {
        const auto& engine = Engine();
        const auto companies = engine->Metadata().Require("company");
        const auto persons = engine->Metadata().Require("person");
        engine->Transact([&] {
            for (std::int32_t c = 0; c < kCompanies; ++c) {
                auto company = std::make_shared<standin::kelo::Record>(engine);
                company->New(companies);
                company->SetValue("name", Variant("Company " + std::to_string(c)));
                // Every tenth company is known by its persons' addresses only.
                if (c % 10 != 0) company->SetValue("domain", Variant(Domain(c)));
                company->Update();
                for (std::int32_t p = c * kPersonsPerCompany; p < (c + 1) * kPersonsPerCompany; ++p) {
                    auto person = std::make_shared<standin::kelo::Record>(engine);
                    person->New(persons);
                    person->SetValue("firstname", Variant("First" + std::to_string(p)));
                    person->SetValue("lastname", Variant("Last" + std::to_string(p)));
                    person->SetValue("email", Variant(Address(p)));
                    person->SetValue("company", Variant(company->ID()));
                    person->Update();
                }
            }
        });
    }

    const std::shared_ptr<standin::kelo::Engine>& Engine() { return host->TheMachine().Kelo().Data(); }
    std::int64_t Statements() { return Engine()->StatementsRun(); }

    static Workspace& Instance() {
        static Workspace workspace;
        return workspace;
    }
};

// Runs the lookup on the n-th address and checks what it found.
template <class Lookup>
void MeasureLookup(benchmark::State& state, Lookup lookup) {
    Workspace& workspace = Workspace::Instance();
    const auto sync = addin::Globals::Synchronizer();
    const std::int64_t before = workspace.Statements();
    std::int32_t n = 0;
    for (auto _ : state) {
        if (!lookup(*sync, n++ * 7919 % (kCompanies * kPersonsPerCompany))) state.SkipWithError("wrong result");
    }
    state.counters["statements"] = benchmark::Counter(static_cast<double>(workspace.Statements() - before),
                                                      benchmark::Counter::kAvgIterations);
}

void PersonByAddress(benchmark::State& state) {
    MeasureLookup(state, [](addin::Synchronizer& sync, std::int32_t p) {
        const auto person = sync.FindPersonRecordFromEmail(Address(p));
        return person && person->Text("email") == Address(p);
    });
}
BENCHMARK(PersonByAddress)->Unit(benchmark::kMicrosecond);

void PersonByUnknownAddress(benchmark::State& state) {
    MeasureLookup(state, [](addin::Synchronizer& sync, std::int32_t p) {
        return !sync.FindPersonRecordFromEmail("nobody" + std::to_string(p) + "@example.org");
    });
}
BENCHMARK(PersonByUnknownAddress)->Unit(benchmark::kMicrosecond);

// Search a: the company of the person with this address.
void CompanyByPersonAddress(benchmark::State& state) {
    MeasureLookup(state, [](addin::Synchronizer& sync, std::int32_t p) {
        const auto company = sync.FindCompanyRecordFromEmail(Address(p));
        return company && company->Text("name") == "Company " + std::to_string(p / kPersonsPerCompany);
    });
}
BENCHMARK(CompanyByPersonAddress)->Unit(benchmark::kMicrosecond);

// Searches a and b: an unknown address at a company's domain.
void CompanyByDomain(benchmark::State& state) {
    MeasureLookup(state, [](addin::Synchronizer& sync, std::int32_t p) {
        std::int32_t c = p / kPersonsPerCompany;
        if (c % 10 == 0) ++c;
        const auto company = sync.FindCompanyRecordFromEmail("sales@" + Domain(c));
        return company && company->Text("name") == "Company " + std::to_string(c);
    });
}
BENCHMARK(CompanyByDomain)->Unit(benchmark::kMicrosecond);

// Searches a, b and c: a company without a domain, found through its persons' domain.
void CompanyByPersonsDomain(benchmark::State& state) {
    MeasureLookup(state, [](addin::Synchronizer& sync, std::int32_t p) {
        const std::int32_t c = p / kPersonsPerCompany / 10 * 10;
        const auto company = sync.FindCompanyRecordFromEmail("sales@" + Domain(c));
        return company && company->Text("name") == "Company " + std::to_string(c);
    });
}
BENCHMARK(CompanyByPersonsDomain)->Unit(benchmark::kMicrosecond);

// One mail file per iteration, 1,000 in all: dropped on the list of
// documents (the add-in files it in the progress dialog), then the record
// window it opens is saved and closed.
void FileDroppedMail(benchmark::State& state) {
    Workspace& workspace = Workspace::Instance();
    auto& app = workspace.host->TheMachine().KeloApp();
    auto& user = workspace.host->TheMachine().KeloUser();
    const auto documents = user.OpenList("document");
    const auto addin = addin::Globals::Addin();
    const std::int64_t before = workspace.Statements();
    std::size_t n = 0;
    for (auto _ : state) {
        bool handled = false;
        addin->IOutlookAddin_OptHandleDrop(documents, workspace.files[n++ % workspace.files.size()], handled);
        const auto windows = app.WindowList().Inspectors();
        if (windows.size() != 1 || windows[0]->Record()->Text("person").empty()) {
            state.SkipWithError("the mail was not filed for its person");
            break;
        }
        user.Save(windows[0]);
        user.Close(windows[0]);
    }
    state.counters["statements"] = benchmark::Counter(static_cast<double>(workspace.Statements() - before),
                                                      benchmark::Counter::kAvgIterations);
}
BENCHMARK(FileDroppedMail)->Iterations(kFiles)->Unit(benchmark::kMillisecond);

}  // namespace

// `ostrellix file FOLDER` end to end: the host started on its workspace,
// a folder of 1,000 typical mail files filed and saved one by one, the
// host shut down. The mails are a few KB; a third come from persons of the
// demo database, the others from strangers; every fourth has an
// attachment and every third an HTML part beside its text.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "apps/ostrellix/FileCommand.h"
#include "apps/ostrellix/Host.h"
#include "runtime/Base64.h"
#include "tests/support/SourceTree.h"

namespace {

using namespace ostrellix;

constexpr int kFiles = 1000;

std::string Sender(int n) {
    switch (n % 9) {
        case 0: return "Maria Sjoberg <maria.sjoberg@nordvik.se>";
        case 1: return "Paul Okafor <paul.okafor@brisa-logistics.com>";
        case 2: return "Lena Virtanen <lena@tallbacka.com>";
        default: return "Customer " + std::to_string(n) + " <customer" + std::to_string(n) + "@example.org>";
    }
}

std::string Mail(int n) {
    std::string text;
    for (int line = 0; line < 30; ++line) {
        text += "Line " + std::to_string(line) + " about order " + std::to_string(n) +
                ": 40 units at the spring price, delivered in May.\r\n";
    }
    std::ostringstream mail;
    mail << "From: " << Sender(n) << "\r\nTo: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
         << "Subject: Order " << n << " for the spring season\r\n"
         << "Date: Thu, 02 May 2024 10:00:00 +0000\r\nMessage-ID: <order" << n << "@example.org>\r\n"
         << "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"mixed\"\r\n\r\n--mixed\r\n";
    if (n % 3 == 0) {
        mail << "Content-Type: multipart/alternative; boundary=\"alt\"\r\n\r\n"
             << "--alt\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n" << text
             << "--alt\r\nContent-Type: text/html; charset=utf-8\r\n\r\n<html><body><pre>" << text
             << "</pre></body></html>\r\n--alt--\r\n";
    } else {
        mail << "Content-Type: text/plain; charset=utf-8\r\n\r\n" << text;
    }
    if (n % 4 == 0) {
        std::string attachment;
        while (attachment.size() < 3000) attachment += "article;units;price\r\nA-100;40;12.50\r\n";
        const std::string encoded = Base64Encode(Bytes(attachment.begin(), attachment.end()));
        mail << "--mixed\r\nContent-Type: text/csv; name=\"prices.csv\"\r\n"
             << "Content-Disposition: attachment; filename=\"prices.csv\"\r\nContent-Transfer-Encoding: base64\r\n\r\n";
        for (std::size_t at = 0; at < encoded.size(); at += 76) mail << encoded.substr(at, 76) << "\r\n";
    }
    mail << "--mixed--\r\n";
    return mail.str();
}

struct Folder {
    std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("ostrellix-file-bench-" + std::to_string(std::random_device()()));
    std::filesystem::path mails = root / "mails";

    Folder() {
        std::filesystem::create_directories(mails);
        for (int n = 0; n < kFiles; ++n) {
            std::ofstream(mails / ("mail" + std::to_string(n) + ".eml"), std::ios::binary) << Mail(n);
        }
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};

// One run of the command per iteration, on the same workspace (the demo
// database, made before timing starts, gains 1,000 documents per run).
void FileFolder(benchmark::State& state) {
    const Folder folder;
    std::ostringstream out;
    const auto setup = [&] {
        host::Host::Setup setup{host::Workspace::Open(folder.root / "workspace")};
        setup.output = &out;
        setup.moduleFolder = testing::SourceTree().string();
        return setup;
    };
    host::Host(setup()).Start();
    for (auto _ : state) {
        out.str("");
        host::Host host(setup());
        if (host::FileCommand::Run(host, {folder.mails.string()}, std::nullopt) != 0) {
            state.SkipWithError("a file was not filed");
            break;
        }
    }
    const std::string printed = out.str();
    std::size_t filed = 0;
    for (std::size_t at = printed.find(": filed as document "); at != std::string::npos;
         at = printed.find(": filed as document ", at + 1)) {
        ++filed;
    }
    if (filed != kFiles) state.SkipWithError("the last run did not file every mail");
    state.counters["files/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kFiles, benchmark::Counter::kIsRate);
}
BENCHMARK(FileFolder)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

#include <gtest/gtest.h>

#include <memory>

#include "contracts/kelo/IDocument.h"
#include "standins/kelo/engine/DemoData.h"
#include "standins/kelo/engine/Document.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/system/ManualClock.h"
#include "tests/crash/KillLoop.h"
#include "tests/standins/system/TempDirectory.h"

namespace ostrellix::testing {
namespace {

using standin::kelo::DemoData;
using standin::kelo::Document;
using standin::kelo::Engine;
using standin::kelo::Record;

constexpr std::size_t kDocumentSize = 256 * 1024;

Bytes ToBytes(const std::string& text) { return {text.begin(), text.end()}; }
std::string ToText(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

// A filed mail: a document record whose document and comment change
// together, one generation per stored record, in a database file.
class FiledDocumentWriter final : public CrashWriter {
public:
    explicit FiledDocumentWriter(std::filesystem::path folder) : folder_(std::move(folder)) {}

    void Open() override {
        engine_ = OpenEngine();
        if (engine_->Created()) DemoData::CreateSchema(*engine_);
    }
    void Close() override { engine_.reset(); }
    void Write(std::int64_t generation) override {
        auto record = std::make_shared<Record>(engine_);
        auto document = std::make_shared<Document>(engine_);
        if (recordId_ == 0) {
            record->New(engine_->Metadata().Require("document"));
            record->SetValue("file", Variant(document));
        } else {
            record->Load(engine_->Metadata().Require("document"), recordId_);
            document = record->Value("file").ToObjectAs<Document>();
        }
        document->SetData(ToBytes(KillLoop::Payload(generation, kDocumentSize)));
        record->SetValue("comment", Variant(Comment(generation)));
        record->Update();
        recordId_ = record->ID();
    }
    std::optional<std::int64_t> Read() override {
        const auto engine = OpenEngine();
        auto record = std::make_shared<Record>(engine);
        record->Load(engine->Metadata().Require("document"), recordId_);
        const auto document = record->Value("file").ToObjectAs<ostrellix::kelo::IDocument>();
        const auto generation = KillLoop::GenerationOf(ToText(document->Data()), kDocumentSize);
        // The record's fields and its document are stored in one transaction.
        if (!generation || record->Value("comment").ToString() != Comment(*generation)) return std::nullopt;
        return generation;
    }
    // The database's own journal files are its reader's business; nothing else may appear.
    std::vector<std::filesystem::path> Leftovers() override {
        return FilesIn(folder_, [](const auto& path) {
            const std::string name = path.filename().string();
            return name != "kelo.db" && name != "kelo.db-wal" && name != "kelo.db-shm";
        });
    }

private:
    static std::string Comment(std::int64_t generation) { return "generation " + std::to_string(generation); }
    std::shared_ptr<Engine> OpenEngine() {
        Engine::Setup setup;
        setup.path = (folder_ / "kelo.db").string();
        setup.workingFolder = folder_.parent_path();
        return std::make_shared<Engine>(setup, clock_);
    }

    std::filesystem::path folder_;
    standin::system::ManualClock clock_{Date::FromParts(2024, 5, 1, 9)};
    std::shared_ptr<Engine> engine_;
    std::int32_t recordId_ = 0;
};

// A stored document written out to a file (a mail opened from its record).
class DocumentFileWriter final : public CrashWriter {
public:
    explicit DocumentFileWriter(std::filesystem::path file) : file_(std::move(file)) {}

    void Open() override { engine_ = InMemory(); }
    void Close() override { engine_.reset(); }
    void Write(std::int64_t generation) override {
        const auto document = std::make_shared<Document>(engine_);
        document->SetData(ToBytes(KillLoop::Payload(generation, kDocumentSize)));
        document->SaveToFile(file_.string());
    }
    std::optional<std::int64_t> Read() override {
        const auto document = std::make_shared<Document>(InMemory());
        document->LoadFromFile(file_.string());
        return KillLoop::GenerationOf(ToText(document->Data()), kDocumentSize);
    }
    std::vector<std::filesystem::path> Leftovers() override {
        const std::string prefix = file_.filename().string() + ".tmp-";
        return FilesIn(file_.parent_path(),
                       [&](const auto& path) { return path.filename().string().starts_with(prefix); });
    }

private:
    std::shared_ptr<Engine> InMemory() { return std::make_shared<Engine>(Engine::Setup{}, clock_); }

    std::filesystem::path file_;
    standin::system::ManualClock clock_{Date::FromParts(2024, 5, 1, 9)};
    std::shared_ptr<Engine> engine_;
};

TEST(DocumentCrashTest, AKilledStoreLeavesTheOldOrTheNewDocumentWithItsRecord) {
    TempDirectory dir;
    std::filesystem::create_directories(dir.Path() / "database");
    FiledDocumentWriter writer(dir.Path() / "database");
    const KillLoop::Outcome outcome = KillLoop("filed document").Run(writer);
    EXPECT_EQ(outcome.faults, std::vector<std::string>{});
    EXPECT_EQ(outcome.leftoversAfterNextWrite, 0U);
}

TEST(DocumentCrashTest, AKilledSaveToFileLeavesTheOldOrTheNewFile) {
    TempDirectory dir;
    DocumentFileWriter writer(dir.Path() / "mail.msg");
    const KillLoop::Outcome outcome = KillLoop("document file").Run(writer);
    EXPECT_EQ(outcome.faults, std::vector<std::string>{});
    // Every save takes a fresh temporary name; one left by a killed save stays
    // and is never read.
    EXPECT_EQ(outcome.leftoversAfterNextWrite, static_cast<std::size_t>(outcome.leftTemporary));
}

}  // namespace
}  // namespace ostrellix::testing

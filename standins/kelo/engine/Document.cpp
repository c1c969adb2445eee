#include "standins/kelo/engine/Document.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "runtime/Guid.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/FileAccess.h"
#include "standins/kelo/engine/SqlValue.h"

namespace ostrellix::standin::kelo {

namespace documentstate = ostrellix::kelo::documentstate;
namespace documentupdate = ostrellix::kelo::documentupdate;

Document::Document(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

Ptr<Document> Document::Stored(std::shared_ptr<Engine> engine, std::int32_t id) {
    auto document = std::make_shared<Document>(std::move(engine));
    document->id_ = id;
    document->fetched_ = false;
    return document;
}

void Document::Fetch() {
    if (fetched_) return;
    engine_->Guard("reading a document", [&] {
        SQLite::Statement query(engine_->Db(), "SELECT name, extension, data, state FROM kelo_document WHERE id = ?");
        query.bind(1, id_);
        if (!query.executeStep()) {
            RaiseEngineError(engineerror::RecordNotFound, "The document " + std::to_string(id_) + " no longer exists");
        }
        name_ = query.getColumn(0).getString();
        extension_ = query.getColumn(1).getString();
        const auto* bytes = static_cast<const std::uint8_t*>(query.getColumn(2).getBlob());
        data_.assign(bytes, bytes + query.getColumn(2).getBytes());
        flags_ = query.getColumn(3).getInt();
    });
    fetched_ = true;
}

void Document::RequireWritable(const char* what) {
    Fetch();
    if (flags_ & documentstate::ReadOnly) {
        RaiseEngineError(engineerror::ReadOnly, "The document " + Quoted(DisplayName()) + " is read-only; it cannot " +
                                                    what);
    }
}

std::string Document::Name() {
    Fetch();
    return name_;
}

void Document::SetName(std::string_view name) {
    RequireWritable("be renamed");
    name_ = std::string(name);
    dirty_ = true;
}

std::string Document::Extension() {
    Fetch();
    return extension_;
}

void Document::SetExtension(std::string_view extension) {
    RequireWritable("change its extension");
    extension_ = std::string(extension.substr(extension.starts_with('.') ? 1 : 0));
    dirty_ = true;
}

std::string Document::DisplayName() {
    Fetch();
    return extension_.empty() ? name_ : name_ + "." + extension_;
}

void Document::LoadFromFile(std::string_view path) {
    RequireWritable("be loaded from a file");
    const std::filesystem::path file(path);
    data_ = FileAccess::Read(file);
    extension_ = file.has_extension() ? file.extension().string().substr(1) : std::string();
    if (name_.empty()) name_ = file.stem().string();
    dirty_ = true;
}

void Document::SaveToFile(std::string_view path) {
    Fetch();
    FileAccess::WriteAtomically(std::filesystem::path(path), data_);
}

Bytes Document::Data() {
    Fetch();
    return data_;
}

void Document::SetData(const Bytes& data) {
    RequireWritable("change its contents");
    data_ = data;
    dirty_ = true;
}

std::string Document::Filename() {
    Fetch();
    // Nothing was ever put into the document: there is no file to hand out.
    if (data_.empty() && file_.empty()) return {};
    if (file_.empty()) {
        const std::string folder = id_ > 0 ? std::to_string(id_) : "new-" + text::Mid(Guid::New().ToString(), 2, 36);
        const std::string name = FileAccess::SafeFileName(name_.empty() ? std::string("document") : name_);
        file_ = engine_->WorkingFolder() / "documents" / folder / (extension_.empty() ? name : name + "." + extension_);
    }
    if (!std::filesystem::exists(file_)) FileAccess::WriteAtomically(file_, data_);
    return file_.string();
}

std::int32_t Document::State() {
    Fetch();
    return (id_ > 0 ? documentstate::Stored : 0) | (flags_ & documentstate::ReadOnly);
}

void Document::Update(std::int32_t mode) {
    if (mode == documentupdate::Release) {
        if (!file_.empty()) {
            std::error_code ignored;  // a file someone still holds open stays behind; it is only a copy
            std::filesystem::remove(file_, ignored);
        }
        file_.clear();
        return;
    }
    if (mode != documentupdate::Commit) {
        throw ComError(errors::InvalidProcedureCall, kEngineSource,
                       "Document update mode " + std::to_string(mode) + " is not known (0 commit, 2 release)");
    }
    RequireWritable("take changes back");
    if (file_.empty()) {
        RaiseEngineError(engineerror::NotUsable,
                         "The document " + Quoted(DisplayName()) + " has no file to take back (Filename was not asked)");
    }
    data_ = FileAccess::Read(file_);
    dirty_ = true;
    if (id_ > 0) {
        engine_->Transact([&] { WriteRow(); });
        dirty_ = false;
    }
}

Ptr<Document> Document::Copy() {
    Fetch();
    auto copy = std::make_shared<Document>(engine_);
    copy->name_ = name_;
    copy->extension_ = extension_;
    copy->data_ = data_;
    copy->dirty_ = true;
    return copy;
}

void Document::SetReadOnly(bool readOnly) {
    Fetch();
    flags_ = readOnly ? (flags_ | documentstate::ReadOnly) : (flags_ & ~documentstate::ReadOnly);
    if (id_ > 0) {
        engine_->Transact([&] {
            SQLite::Statement update(engine_->Db(), "UPDATE kelo_document SET state = ? WHERE id = ?");
            update.bind(1, flags_);
            update.bind(2, id_);
            update.exec();
        });
    }
}

std::int32_t Document::WriteRow() {
    Fetch();
    SQLite::Database& db = engine_->Db();
    SQLite::Statement write(db, id_ > 0 ? "UPDATE kelo_document SET name = ?, extension = ?, data = ?, state = ? WHERE id = ?"
                                        : "INSERT INTO kelo_document(name, extension, data, state) VALUES (?, ?, ?, ?)");
    write.bind(1, name_);
    write.bind(2, extension_);
    Bind(write, 3, data_);
    write.bind(4, flags_);
    if (id_ > 0) write.bind(5, id_);
    write.exec();
    return id_ > 0 ? id_ : static_cast<std::int32_t>(db.getLastInsertRowid());
}

void Document::MarkStored(std::int32_t id) {
    id_ = id;
    dirty_ = false;
}

}  // namespace ostrellix::standin::kelo

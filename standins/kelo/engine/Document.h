#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "contracts/kelo/IDocument.h"

namespace ostrellix::standin::kelo {

class Engine;

// A document of the data engine, kept in the table kelo_document once
// stored. A new document ("QVR.Document") lives in memory until the record
// that holds it in a document field is stored; a stored one is read from
// the database when first needed. Filename writes its bytes to a file of
// its own below the working folder ("documents"), once per object, so that
// a program may edit it there; Update(Commit) takes the file back. A
// document that never held content has no file name.
class Document final : public ostrellix::kelo::IDocument {
public:
    explicit Document(std::shared_ptr<Engine> engine);
    static Ptr<Document> Stored(std::shared_ptr<Engine> engine, std::int32_t id);

    std::int32_t ID() override { return id_; }
    std::string Name() override;
    void SetName(std::string_view name) override;
    std::string Extension() override;
    void SetExtension(std::string_view extension) override;
    void LoadFromFile(std::string_view path) override;
    void SaveToFile(std::string_view path) override;
    Bytes Data() override;
    void SetData(const Bytes& data) override;
    std::string Filename() override;
    std::int32_t State() override;
    void Update(std::int32_t mode) override;

    // A new document with the same name, extension and contents.
    Ptr<Document> Copy();
    // Marks the document read-only (or not); stored at once when it is stored.
    void SetReadOnly(bool readOnly);
    // Changes not yet stored.
    bool Dirty() const { return dirty_; }
    // Writes the document's row (inside a transaction) and answers its id;
    // the object takes the id only through MarkStored, once committed.
    std::int32_t WriteRow();
    void MarkStored(std::int32_t id);
    // The file name the document is known by: name, point, extension.
    std::string DisplayName();

private:
    void Fetch();
    void RequireWritable(const char* what);

    std::shared_ptr<Engine> engine_;
    std::int32_t id_ = 0;
    bool fetched_ = true;
    std::string name_;
    std::string extension_;
    Bytes data_;
    std::int32_t flags_ = 0;
    bool dirty_ = false;
    std::filesystem::path file_;
};

}  // namespace ostrellix::standin::kelo

#pragma once

#include <memory>
#include <string>

#include "contracts/kelo/IDocumentTemplate.h"
#include "runtime/Variant.h"

namespace ostrellix::standin::kelo {

class Engine;

// A document template of the database (table kelo_template). Its file is
// read from the database when it is written out.
class DocumentTemplate final : public ostrellix::kelo::IDocumentTemplate {
public:
    DocumentTemplate(std::shared_ptr<Engine> engine, std::int32_t id, std::string name, std::string location,
                     std::string extension);

    // Stores a new template (one transaction).
    static Ptr<DocumentTemplate> Create(const std::shared_ptr<Engine>& engine, const std::string& name,
                                        const std::string& location, const std::string& extension, const Bytes& data);

    std::string Name() override { return name_; }
    std::string Location() override { return location_; }
    std::string Extension() override { return extension_; }
    void WriteFile(std::string_view path) override;

    std::int32_t Id() const { return id_; }

private:
    std::shared_ptr<Engine> engine_;
    std::int32_t id_;
    std::string name_;
    std::string location_;
    std::string extension_;
};

}  // namespace ostrellix::standin::kelo

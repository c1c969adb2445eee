#pragma once

#include <memory>
#include <vector>

#include "contracts/kelo/IDocumentTemplates.h"

namespace ostrellix::standin::kelo {

class Engine;

// A collection of document templates: the database's (All), or an empty
// one that callers fill ("QVR.DocumentTemplates").
class DocumentTemplates final : public ostrellix::kelo::IDocumentTemplates {
public:
    static Ptr<DocumentTemplates> All(const std::shared_ptr<Engine>& engine);

    std::int32_t Count() override { return static_cast<std::int32_t>(templates_.size()); }
    Ptr<ostrellix::kelo::IDocumentTemplate> Item(std::int32_t index) override;
    void Add(const Ptr<ostrellix::kelo::IDocumentTemplate>& documentTemplate) override;

private:
    std::vector<Ptr<ostrellix::kelo::IDocumentTemplate>> templates_;
};

}  // namespace ostrellix::standin::kelo

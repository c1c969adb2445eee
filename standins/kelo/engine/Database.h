#pragma once

#include <memory>

#include "contracts/kelo/IDatabase.h"

namespace ostrellix::standin::kelo {

class Engine;

// The database the client is connected to.
class Database final : public ostrellix::kelo::IDatabase {
public:
    explicit Database(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

    std::string Name() override;
    std::string Server() override;
    std::string Folder() override;
    Ptr<ostrellix::kelo::IProperties> Settings() override;
    Ptr<ostrellix::kelo::IDocumentTemplates> Templates() override;
    Ptr<ostrellix::kelo::IClasses> Classes() override;
    Ptr<ostrellix::kelo::IStoredFilters> Filters(const Ptr<ostrellix::kelo::IClass>& cls) override;

private:
    std::shared_ptr<Engine> engine_;
};

}  // namespace ostrellix::standin::kelo

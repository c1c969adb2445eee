#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IContactImport.h"

namespace ostrellix::standin::kelo {

class Engine;
class Record;

// The client's contact import (see IContactImport): vCards through the
// message stand-in's reader, item XML files through ItemXmlReader. All
// files are read before any record is made, so a bad file imports nothing;
// a card value that a field cannot take leaves that field empty, and texts
// longer than a field holds are cut. A card's company links the person
// when exactly one company has that name.
class ContactImport final : public ostrellix::kelo::IContactImport {
public:
    using OpenWindow = std::function<void(const Ptr<Record>&)>;

    ContactImport(std::shared_ptr<Engine> engine, OpenWindow openWindow)
        : engine_(std::move(engine)), openWindow_(std::move(openWindow)) {}

    void SetValue(std::string_view name, const Variant& value) override;
    void Run(std::int32_t mode) override;

    // The person records the last Run made, stored or in windows.
    const std::vector<Ptr<Record>>& Imported() const { return imported_; }

private:
    Variant Value(std::string_view name) const;

    std::shared_ptr<Engine> engine_;
    OpenWindow openWindow_;
    std::vector<std::pair<std::string, Variant>> values_;
    std::vector<Ptr<Record>> imported_;
};

}  // namespace ostrellix::standin::kelo

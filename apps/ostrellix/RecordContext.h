#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "apps/ostrellix/Host.h"
#include "standins/kelo/client/Inspector.h"

namespace ostrellix::host {

// A record named on the command line as CLASS:ID ("person:3"): the record
// the user has open in a record window. Parsed before the client starts,
// so that a mistyped argument costs nothing; a text that is no CLASS:ID,
// or a record the database does not hold, is the user's mistake (a
// ComError of source "ostrellix", named after `option`).
class RecordContext {
public:
    static RecordContext Parse(const std::string& text, const std::string& option = "--context");
    static std::optional<RecordContext> Parse(const std::optional<std::string>& text,
                                              const std::string& option = "--context");

    const std::string& ClassName() const { return className_; }
    std::int32_t Id() const { return id_; }
    std::string Text() const { return className_ + ":" + std::to_string(id_); }

    // The user opens the record in a record window of the started client.
    Ptr<standin::kelo::Inspector> Open(Host& host) const;

private:
    RecordContext(std::string className, std::int32_t id, std::string option)
        : className_(std::move(className)), id_(id), option_(std::move(option)) {}

    std::string className_;
    std::int32_t id_;
    std::string option_;
};

}  // namespace ostrellix::host

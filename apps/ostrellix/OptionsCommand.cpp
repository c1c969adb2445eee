#include "apps/ostrellix/OptionsCommand.h"

#include <iomanip>
#include <ostream>

#include "core/Globals.h"
#include "core/OptionProperties.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix::host {

namespace {

using addin::OptionProperties;

std::string Show(const Variant& value) {
    if (!value.IsArray()) return value.ToString();
    std::string joined;
    for (const Variant& entry : value.ToArray()) joined += (joined.empty() ? "" : ", ") + entry.ToString();
    return joined;
}

const OptionProperties::Property& Require(const std::string& name) {
    const auto* property = OptionProperties::Find(name);
    if (!property) {
        throw ComError(errors::InvalidProcedureCall, "ostrellix",
                       "There is no option " + name + " (ostrellix options list shows them all)");
    }
    return *property;
}

Variant Parse(const OptionProperties::Property& property, const std::string& text) {
    const auto refuse = [&]() -> Variant {
        throw ComError(errors::TypeMismatch, "ostrellix",
                       property.name + " takes a " + OptionProperties::KindName(property.kind) + ": \"" + text +
                           "\" is not one");
    };
    try {
        switch (property.kind) {
            case OptionProperties::Kind::Boolean: {
                const std::string word = text::LCase(text::Trim(text));
                if (word == "true" || word == "yes" || word == "1") return Variant(true);
                if (word == "false" || word == "no" || word == "0") return Variant(false);
                return refuse();
            }
            case OptionProperties::Kind::Integer: return Variant(Variant(text).ToInteger());
            case OptionProperties::Kind::Long: return Variant(Variant(text).ToLong());
            case OptionProperties::Kind::DateTime: return Variant(Date::Parse(text));
            default: return Variant(text);
        }
    } catch (const ComError&) {
        return refuse();
    }
}

}  // namespace

int OptionsCommand::List(Host& host) {
    host.Start();
    auto& options = *addin::Globals::Options();
    for (const auto& property : OptionProperties::All()) {
        host.Out() << std::left << std::setw(42) << property.name << std::setw(16)
                   << OptionProperties::KindName(property.kind) << Show(property.get(options)) << "\n";
    }
    return 0;
}

int OptionsCommand::Get(Host& host, const std::string& name) {
    const auto& property = Require(name);
    host.Start();
    host.Out() << Show(property.get(*addin::Globals::Options())) << "\n";
    return 0;
}

int OptionsCommand::Set(Host& host, const std::string& name, const std::string& value) {
    const auto& property = Require(name);
    const Variant parsed = Parse(property, value);
    host.Start();
    auto& options = *addin::Globals::Options();
    property.set(options, parsed);
    host.Out() << property.name << " = " << Show(property.get(options)) << "\n";
    return 0;
}

}  // namespace ostrellix::host

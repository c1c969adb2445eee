#include "apps/ostrellix/TypedValue.h"

#include <optional>

#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::host {

Variant TypedValue::FromText(const std::string& name, const Variant& current, const std::string& text) {
    std::optional<Variant> typed;
    // A conversion that fails leaves `typed` empty: the user's mistake, told below.
    IgnoreErrors([&] {
        switch (current.VarType()) {
            case Variant::Type::Date: typed = Variant(Date::Parse(text)); break;
            case Variant::Type::Boolean: {
                const std::string word = text::LCase(text::Trim(text));
                if (word == "true" || word == "yes" || word == "1") typed = Variant(true);
                if (word == "false" || word == "no" || word == "0") typed = Variant(false);
                break;
            }
            case Variant::Type::Integer:
            case Variant::Type::Long: typed = Variant(Variant(text).ToLong()); break;
            case Variant::Type::Double: typed = Variant(Variant(text).ToDouble()); break;
            default: typed = Variant(text); break;
        }
    });
    if (typed) return *typed;
    const char* form = current.VarType() == Variant::Type::Date      ? "a date, YYYY-MM-DD hh:mm"
                       : current.VarType() == Variant::Type::Boolean ? "true or false"
                                                                     : "a number";
    throw ComError(errors::InvalidProcedureCall, "ostrellix",
                   name + " takes " + form + ": \"" + text + "\" is not one");
}

}  // namespace ostrellix::host

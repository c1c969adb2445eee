#include "runtime/ComError.h"

#include <cstdio>

namespace ostrellix {

ComError::ComError(std::int32_t number, std::string source, std::string description,
                   std::string helpFile, std::int32_t helpContext)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

std::string ComError::HexNumber() const {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<std::uint32_t>(number_));
    return buffer;
}

namespace {

const char* StandardDescription(std::int32_t number) {
    switch (number) {
        case errors::InvalidProcedureCall: return "Invalid procedure call or argument";
        case errors::Overflow: return "Overflow";
        case errors::SubscriptOutOfRange: return "Subscript out of range";
        case errors::TypeMismatch: return "Type mismatch";
        case errors::FileNotFound: return "File not found";
        case errors::ObjectVariableNotSet: return "Object variable or With block variable not set";
        case errors::InvalidPatternString: return "Invalid pattern string";
        case errors::InvalidUseOfNull: return "Invalid use of Null";
        case errors::ObjectRequired: return "Object required";
        case errors::CannotCreateObject: return "ActiveX component can't create object";
        case errors::NotSupported: return "Object doesn't support this property or method";
        case errors::WrongNumberOfArguments: return "Wrong number of arguments or invalid property assignment";
        case errors::DuplicateKey: return "This key is already associated with an element of this collection";
        case errors::ElementNotFound: return "Element not found";
        case errors::Unexpected: return "Catastrophic failure";
        case errors::NotImplemented: return "Not implemented";
        default: return "Application-defined or object-defined error";
    }
}

}  // namespace

void RaiseRuntimeError(std::int32_t number) {
    throw ComError(number, "Ostrellix.Runtime", StandardDescription(number));
}

void RaiseNotImplemented(std::string_view source, std::string_view member) {
    throw ComError(errors::NotImplemented, std::string(source),
                   std::string(StandardDescription(errors::NotImplemented)) + ": " + std::string(member));
}

void Raise(std::int32_t number, std::string source, std::string description) {
    if (description.empty()) description = StandardDescription(number);
    throw ComError(number, std::move(source), std::move(description));
}

}  // namespace ostrellix

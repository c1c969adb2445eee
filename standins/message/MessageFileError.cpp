#include "standins/message/MessageFileError.h"

#include <string>

#include "runtime/ComError.h"

namespace ostrellix::standin::message {

void RaiseFileError(std::int32_t number, std::string_view source, std::string_view fileName, std::string_view verb,
                    std::string_view detail) {
    std::string description = "Cannot ";
    description.append(verb).append(" '").append(fileName).append("': ").append(detail);
    if (!description.empty() && description.back() != '.') description += '.';
    throw ComError(number, std::string(source), std::move(description));
}

}  // namespace ostrellix::standin::message

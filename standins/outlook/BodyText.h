#pragma once

#include <string>
#include <string_view>

namespace ostrellix::standin::outlook {

// Keeps a mail's plain and HTML bodies in step, as Outlook does when one
// of them is set: plain text as a minimal HTML document, and HTML as the
// text a reader sees (tags dropped, line-making tags as line breaks,
// the common character entities decoded).
class BodyText {
public:
    static std::string ToHtml(std::string_view text);
    static std::string FromHtml(std::string_view html);
};

}  // namespace ostrellix::standin::outlook

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "standins/message/PropertyBag.h"

namespace ostrellix::standin::outlook {

// Keeps a mail's plain and HTML bodies in step, as Outlook does when one
// of them is set: plain text as a minimal HTML document, and HTML as the
// text a reader sees (tags dropped, line-making tags as line breaks,
// the common character entities decoded).
class BodyText {
public:
    static std::string ToHtml(std::string_view text);
    static std::string FromHtml(std::string_view html);

    // The HTML body a message holds, as UTF-8 text: PR_BODY_HTML as text, or
    // as bytes (PR_HTML, as message files bring it) in the message's code
    // page. Nothing when it holds no HTML body.
    static std::optional<std::string> StoredHtml(const message::PropertyBag& bag);
};

}  // namespace ostrellix::standin::outlook

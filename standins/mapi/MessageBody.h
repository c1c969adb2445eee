#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "standins/mapi/Names.h"
#include "standins/message/MessageData.h"

namespace ostrellix::standin::mapi {

// A message's body in its three forms, kept in step as a MAPI store keeps
// them: setting one form rewrites the plain text and drops a form that no
// longer matches. The format is PR_NATIVE_BODY_INFO, else what the message
// holds (HTML, then RTF, then plain). A form the message lacks is made from
// the plain text when asked for.
class MessageBody {
public:
    static std::int32_t Format(const msg::PropertyBag& bag);  // olFormatPlain, olFormatHTML, olFormatRichText
    static std::string Plain(const msg::PropertyBag& bag);
    // The HTML as text: PR_BODY_HTML, or PR_HTML's bytes in the message's code page.
    static std::string Html(const msg::PropertyBag& bag);
    // The RTF document, decompressed from PR_RTF_COMPRESSED.
    static std::string Rtf(const msg::PropertyBag& bag);

    static void SetPlain(msg::PropertyBag& bag, std::string_view text);
    static void SetHtml(msg::PropertyBag& bag, std::string_view html);
    // Stores the RTF compressed, as Outlook does.
    static void SetRtf(msg::PropertyBag& bag, std::string_view rtf);

    // PR_HTML's bytes as PR_BODY_HTML text, in the message and the messages
    // it embeds: what Outlook's items read.
    static void HtmlAsText(msg::MessageData& message);
};

}  // namespace ostrellix::standin::mapi

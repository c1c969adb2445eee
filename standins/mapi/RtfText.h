#pragma once

#include <string>
#include <string_view>

namespace ostrellix::standin::mapi {

// RTF as a mail body needs it: plain text as an RTF document (for a
// message whose RTF body is asked for but that has none), and the text an
// RTF document shows (the plain body that goes with an RTF body that was
// set). Only text is carried over; formatting is not.
class RtfText {
public:
    static std::string FromPlain(std::string_view text);
    // Paragraphs and line breaks become CRLF; 8-bit text is read in the
    // document's ANSI code page (\ansicpg), \u characters as Unicode;
    // destinations that are not text (font table, pictures, fields'
    // instructions, "\*" groups) are left out.
    static std::string ToPlain(std::string_view rtf);
};

}  // namespace ostrellix::standin::mapi

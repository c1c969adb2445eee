#pragma once

#include <cstdint>
#include <optional>

namespace ostrellix::standin::message {

// The code page of a message's 8-bit string properties. Those are in the
// Windows ANSI code page of the program that wrote them, which is not the
// Internet code page (PR_INTERNET_CPID, the MIME charset the mail travelled
// in): a mail sent as ISO-2022-JP is kept by a Japanese Windows in 932.
class AnsiCodePage {
public:
    // The Windows ANSI code page of an Internet code page's script: the
    // ISO-2022-JP, EUC-JP and Shift_JIS family 932, GB2312/GBK/GB18030 936,
    // EUC-KR and ISO-2022-KR 949, Big5 950, KOI8-R, KOI8-U and ISO-8859-5
    // 1251, ISO-8859-n its 125x (or 874). Nothing for a code page of no one
    // script (UTF-8) or one it does not know.
    static std::optional<std::uint32_t> OfScript(std::uint32_t internetCodePage);

    // PR_MESSAGE_CODEPAGE when the object has one; else the code page of its
    // PR_INTERNET_CPID's script; else `otherwise` (the enclosing object's, or
    // the system's ANSI code page for a file's own message).
    static std::uint32_t Of(std::optional<std::uint32_t> messageCodePage,
                            std::optional<std::uint32_t> internetCodePage, std::uint32_t otherwise);
};

}  // namespace ostrellix::standin::message

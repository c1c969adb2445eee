#pragma once

#include <cstdint>

// Codes of the MAPI library and MAPI property tags the add-in relies on.
namespace ostrellix::mapi {

// Formats of SaveAs and Import.
inline constexpr std::int32_t olMSG = 3;        // Outlook message file
inline constexpr std::int32_t olRFC822 = 1024;  // MIME message
inline constexpr std::int32_t olRFC822Alt = 1031;

// Property tags (id << 16 | type).
inline constexpr std::uint32_t PR_MESSAGE_CLASS = 0x001A001F;
inline constexpr std::uint32_t PR_SUBJECT = 0x0037001F;
inline constexpr std::uint32_t PR_MESSAGE_TO_ME = 0x0057000B;
inline constexpr std::uint32_t PR_MESSAGE_CC_ME = 0x0058000B;
inline constexpr std::uint32_t PR_BODY = 0x1000001F;
inline constexpr std::uint32_t PR_SMTP_ADDRESS = 0x39FE001E;

}  // namespace ostrellix::mapi

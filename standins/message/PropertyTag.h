#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace ostrellix::standin::message {

// MAPI property types (the low 16 bits of a tag).
namespace pt {
inline constexpr std::uint16_t Short = 0x0002;
inline constexpr std::uint16_t Long = 0x0003;
inline constexpr std::uint16_t Float = 0x0004;
inline constexpr std::uint16_t Double = 0x0005;
inline constexpr std::uint16_t Currency = 0x0006;
inline constexpr std::uint16_t AppTime = 0x0007;
inline constexpr std::uint16_t Error = 0x000A;
inline constexpr std::uint16_t Boolean = 0x000B;
inline constexpr std::uint16_t Object = 0x000D;
inline constexpr std::uint16_t Long64 = 0x0014;
inline constexpr std::uint16_t String8 = 0x001E;
inline constexpr std::uint16_t Unicode = 0x001F;
inline constexpr std::uint16_t SysTime = 0x0040;
inline constexpr std::uint16_t Guid = 0x0048;
inline constexpr std::uint16_t Binary = 0x0102;
inline constexpr std::uint16_t MultiValued = 0x1000;
}  // namespace pt

// A property tag: the property id in the high 16 bits, its type in the low 16.
constexpr std::uint32_t MakeTag(std::uint16_t id, std::uint16_t type) { return std::uint32_t(id) << 16 | type; }
constexpr std::uint16_t TagId(std::uint32_t tag) { return static_cast<std::uint16_t>(tag >> 16); }
constexpr std::uint16_t TagType(std::uint32_t tag) { return static_cast<std::uint16_t>(tag & 0xFFFF); }

// "0x0037001F": a tag as errors and debug lines name it.
inline std::string TagText(std::uint32_t tag) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", tag);
    return text;
}

// Named properties are mapped to ids from this one upwards.
inline constexpr std::uint16_t kFirstNamedId = 0x8000;

// Tags the stand-ins use by name.
namespace tag {
inline constexpr std::uint32_t PR_MESSAGE_CLASS = 0x001A001F;
inline constexpr std::uint32_t PR_SUBJECT_PREFIX = 0x003D001F;
inline constexpr std::uint32_t PR_TRANSPORT_MESSAGE_HEADERS = 0x007D001F;
inline constexpr std::uint32_t PR_SUBJECT = 0x0037001F;
inline constexpr std::uint32_t PR_CLIENT_SUBMIT_TIME = 0x00390040;
inline constexpr std::uint32_t PR_SENT_REPRESENTING_NAME = 0x0042001F;
inline constexpr std::uint32_t PR_SENT_REPRESENTING_EMAIL_ADDRESS = 0x0065001F;
inline constexpr std::uint32_t PR_SENT_REPRESENTING_ADDRTYPE = 0x0064001F;
inline constexpr std::uint32_t PR_MESSAGE_TO_ME = 0x0057000B;
inline constexpr std::uint32_t PR_MESSAGE_CC_ME = 0x0058000B;
inline constexpr std::uint32_t PR_RECEIVED_BY_NAME = 0x0040001F;
inline constexpr std::uint32_t PR_SENDER_NAME = 0x0C1A001F;
inline constexpr std::uint32_t PR_SENDER_ADDRTYPE = 0x0C1E001F;
inline constexpr std::uint32_t PR_SENDER_EMAIL_ADDRESS = 0x0C1F001F;
inline constexpr std::uint32_t PR_RECIPIENT_TYPE = 0x0C150003;
inline constexpr std::uint32_t PR_DISPLAY_BCC = 0x0E02001F;
inline constexpr std::uint32_t PR_DISPLAY_CC = 0x0E03001F;
inline constexpr std::uint32_t PR_DISPLAY_TO = 0x0E04001F;
inline constexpr std::uint32_t PR_MESSAGE_DELIVERY_TIME = 0x0E060040;
inline constexpr std::uint32_t PR_MESSAGE_FLAGS = 0x0E070003;
inline constexpr std::uint32_t PR_NORMALIZED_SUBJECT = 0x0E1D001F;
inline constexpr std::uint32_t PR_ATTACH_SIZE = 0x0E200003;
inline constexpr std::uint32_t PR_ATTACH_NUM = 0x0E210003;
inline constexpr std::uint32_t PR_BODY = 0x1000001F;
inline constexpr std::uint32_t PR_RTF_COMPRESSED = 0x10090102;
inline constexpr std::uint32_t PR_BODY_HTML = 0x1013001F;
inline constexpr std::uint32_t PR_HTML = 0x10130102;
inline constexpr std::uint32_t PR_INTERNET_MESSAGE_ID = 0x1035001F;
inline constexpr std::uint32_t PR_INTERNET_REFERENCES = 0x1039001F;
inline constexpr std::uint32_t PR_IN_REPLY_TO_ID = 0x1042001F;
inline constexpr std::uint32_t PR_ROWID = 0x30000003;
inline constexpr std::uint32_t PR_DISPLAY_NAME = 0x3001001F;
inline constexpr std::uint32_t PR_ADDRTYPE = 0x3002001F;
inline constexpr std::uint32_t PR_EMAIL_ADDRESS = 0x3003001F;
inline constexpr std::uint32_t PR_CREATION_TIME = 0x30070040;
inline constexpr std::uint32_t PR_LAST_MODIFICATION_TIME = 0x30080040;
inline constexpr std::uint32_t PR_STORE_SUPPORT_MASK = 0x340D0003;
inline constexpr std::uint32_t PR_ATTACH_DATA_BIN = 0x37010102;
inline constexpr std::uint32_t PR_ATTACH_DATA_OBJ = 0x3701000D;
inline constexpr std::uint32_t PR_ATTACH_EXTENSION = 0x3703001F;
inline constexpr std::uint32_t PR_ATTACH_FILENAME = 0x3704001F;
inline constexpr std::uint32_t PR_ATTACH_METHOD = 0x37050003;
inline constexpr std::uint32_t PR_ATTACH_LONG_FILENAME = 0x3707001F;
inline constexpr std::uint32_t PR_ATTACH_PATHNAME = 0x3708001F;
inline constexpr std::uint32_t PR_RENDERING_POSITION = 0x370B0003;
inline constexpr std::uint32_t PR_ATTACH_MIME_TAG = 0x370E001F;
inline constexpr std::uint32_t PR_ATTACH_CONTENT_ID = 0x3712001F;
inline constexpr std::uint32_t PR_SMTP_ADDRESS = 0x39FE001F;
inline constexpr std::uint32_t PR_INTERNET_CPID = 0x3FDE0003;
inline constexpr std::uint32_t PR_MESSAGE_CODEPAGE = 0x3FFD0003;
inline constexpr std::uint32_t PR_SENDER_SMTP_ADDRESS = 0x5D01001F;
inline constexpr std::uint32_t PR_SENT_REPRESENTING_SMTP_ADDRESS = 0x5D02001F;
}  // namespace tag

// Values of PR_RECIPIENT_TYPE, PR_ATTACH_METHOD and PR_MESSAGE_FLAGS.
inline constexpr std::int32_t MAPI_TO = 1;
inline constexpr std::int32_t MAPI_CC = 2;
inline constexpr std::int32_t MAPI_BCC = 3;
inline constexpr std::int32_t ATTACH_BY_VALUE = 1;
inline constexpr std::int32_t ATTACH_EMBEDDED_MSG = 5;
inline constexpr std::int32_t ATTACH_OLE = 6;
inline constexpr std::int32_t MSGFLAG_READ = 0x01;
inline constexpr std::int32_t MSGFLAG_UNSENT = 0x08;
inline constexpr std::int32_t MSGFLAG_HASATTACH = 0x10;

}  // namespace ostrellix::standin::message

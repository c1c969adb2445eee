#include "standins/mapi/MessageFileFormats.h"

#include "standins/mapi/ContactCardMapping.h"
#include "standins/mapi/FileImport.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/VCardWriter.h"

namespace ostrellix::standin::mapi {

msg::MessageData MessageFileFormats::ReadMsg(const std::string& path, const msg::MessageFileHost& host) {
    return FileImport::ReadMsg(path, host);
}

void MessageFileFormats::WriteMsg(const msg::MessageData& message, const std::string& path,
                                  const msg::MessageFileHost& host) {
    msg::MsgWriter::WriteFile(message, path, host);
}

std::string MessageFileFormats::ContactVcard(const msg::MessageData& contact) {
    return msg::VCardWriter::Write(ContactCardMapping::FromContact(contact));
}

}  // namespace ostrellix::standin::mapi

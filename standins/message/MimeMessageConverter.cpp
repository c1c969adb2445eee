#include "standins/message/MimeMessageConverter.h"

#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "standins/message/CodePage.h"
#include "standins/message/FormatError.h"
#include "standins/message/GObjectPtr.h"

namespace ostrellix::standin::message {

namespace {

constexpr int kMaxMimeNesting = 64;
constexpr int kMaxGroupNesting = 8;
constexpr std::int32_t kUtf8CodePage = 65001;

std::string Text(const char* value) { return value ? std::string(value) : std::string(); }

std::string Lower(std::string text) {
    for (char& c : text) c = g_ascii_tolower(c);
    return text;
}

// Text of unknown encoding: UTF-8 when it reads as UTF-8, else the Windows
// code page that mail programs assume.
std::string Utf8Of(std::span<const std::uint8_t> bytes) {
    if (CodePage::IsValidUtf8(bytes)) return std::string(bytes.begin(), bytes.end());
    return CodePage::ToUtf8(bytes, "windows-1252");
}

std::optional<Date> ToDate(GDateTime* when) {
    if (!when) return std::nullopt;
    GDateTime* utc = g_date_time_to_utc(when);
    if (!utc) return std::nullopt;
    const int year = g_date_time_get_year(utc);
    std::optional<Date> result;
    if (year >= 100 && year <= 9999) {
        result = Date::FromParts(year, g_date_time_get_month(utc), g_date_time_get_day_of_month(utc),
                                 g_date_time_get_hour(utc), g_date_time_get_minute(utc),
                                 g_date_time_get_second(utc));
    }
    g_date_time_unref(utc);
    return result;
}

// The delivery time is the date of the newest (first) Received header.
std::optional<Date> DeliveryTime(GMimeObject* message) {
    GMimeHeaderList* headers = g_mime_object_get_header_list(message);
    const int count = headers ? g_mime_header_list_get_count(headers) : 0;
    for (int i = 0; i < count; ++i) {
        GMimeHeader* header = g_mime_header_list_get_header_at(headers, i);
        if (!header || g_ascii_strcasecmp(Text(g_mime_header_get_name(header)).c_str(), "Received") != 0) continue;
        const std::string value = Text(g_mime_header_get_value(header));
        const auto semicolon = value.rfind(';');
        if (semicolon == std::string::npos) return std::nullopt;
        GDateTime* when = g_mime_utils_header_decode_date(value.c_str() + semicolon + 1);
        const auto date = ToDate(when);
        if (when) g_date_time_unref(when);
        return date;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> Decoded(GMimePart* part) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content) return {};
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(content, stream.get()) < 0) return {};
    GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream.get()));
    return std::vector<std::uint8_t>(array->data, array->data + array->len);
}

std::string DecodedText(GMimePart* part) {
    const auto bytes = Decoded(part);
    const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
    if (charset && *charset) return CodePage::ToUtf8(bytes, charset);
    return Utf8Of(bytes);
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::string Extension(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

std::string DefaultFileName(const std::string& type, const std::string& subtype, std::size_t number) {
    std::string extension = ".bin";
    if (type == "text") extension = subtype == "html" ? ".html" : subtype == "calendar" ? ".ics" : ".txt";
    if (subtype == "vcard" || subtype == "x-vcard") extension = ".vcf";
    if (type == "image" && (subtype == "jpeg" || subtype == "png" || subtype == "gif")) {
        extension = subtype == "jpeg" ? ".jpg" : "." + subtype;
    }
    if (subtype == "pdf") extension = ".pdf";
    return "attachment" + std::to_string(number) + extension;
}

}  // namespace

struct MimeMessageConverter::Content {
    std::optional<std::string> plain;
    std::optional<std::string> html;
    std::vector<AttachmentData> attachments;
};

MessageData MimeMessageConverter::Convert(GMimeMessage* mime, int depth) const {
    if (depth > limits_.maxEmbeddingDepth) throw FormatError("its attached messages are nested deeper than the limit");
    MessageData message;
    PropertyBag& p = message.properties;
    p.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    p.Set(tag::PR_SUBJECT, Variant(Text(g_mime_message_get_subject(mime))));
    if (const char* id = g_mime_message_get_message_id(mime)) p.Set(tag::PR_INTERNET_MESSAGE_ID, Variant("<" + Text(id) + ">"));

    auto firstMailbox = [](InternetAddressList* list) -> InternetAddress* {
        const int count = list ? internet_address_list_length(list) : 0;
        for (int i = 0; i < count; ++i) {
            InternetAddress* address = internet_address_list_get_address(list, i);
            if (INTERNET_ADDRESS_IS_MAILBOX(address)) return address;
        }
        return nullptr;
    };
    InternetAddress* from = firstMailbox(g_mime_message_get_from(mime));
    InternetAddress* sender = firstMailbox(g_mime_message_get_sender(mime));
    if (!sender) sender = from;
    auto setParty = [&p](InternetAddress* who, std::uint32_t name, std::uint32_t type, std::uint32_t email,
                         std::uint32_t smtp) {
        if (!who) return;
        const std::string address = Text(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(who)));
        const std::string display = Text(internet_address_get_name(who));
        p.Set(name, Variant(display.empty() ? address : display));
        p.Set(type, Variant("SMTP"));
        p.Set(email, Variant(address));
        p.Set(smtp, Variant(address));
    };
    setParty(sender, tag::PR_SENDER_NAME, tag::PR_SENDER_ADDRTYPE, tag::PR_SENDER_EMAIL_ADDRESS,
             tag::PR_SENDER_SMTP_ADDRESS);
    setParty(from, tag::PR_SENT_REPRESENTING_NAME, tag::PR_SENT_REPRESENTING_ADDRTYPE,
             tag::PR_SENT_REPRESENTING_EMAIL_ADDRESS, tag::PR_SENT_REPRESENTING_SMTP_ADDRESS);

    AddAddresses(g_mime_message_get_to(mime), MAPI_TO, message, 0);
    AddAddresses(g_mime_message_get_cc(mime), MAPI_CC, message, 0);
    AddAddresses(g_mime_message_get_bcc(mime), MAPI_BCC, message, 0);
    for (const auto& [type, displayTag] : {std::pair{MAPI_TO, tag::PR_DISPLAY_TO}, std::pair{MAPI_CC, tag::PR_DISPLAY_CC},
                                          std::pair{MAPI_BCC, tag::PR_DISPLAY_BCC}}) {
        std::string names;
        for (const auto& recipient : message.recipients) {
            if (recipient.properties.GetValue(tag::PR_RECIPIENT_TYPE).ToLong() != type) continue;
            if (!names.empty()) names += "; ";
            names += recipient.properties.GetValue(tag::PR_DISPLAY_NAME).ToString();
        }
        p.Set(displayTag, Variant(names));
    }

    const auto submitted = ToDate(g_mime_message_get_date(mime));
    if (submitted) p.Set(tag::PR_CLIENT_SUBMIT_TIME, Variant(*submitted));
    if (const auto delivered = DeliveryTime(GMIME_OBJECT(mime)).value_or(submitted.value_or(Date()));
        delivered != Date()) {
        p.Set(tag::PR_MESSAGE_DELIVERY_TIME, Variant(delivered));
    }
    if (char* headers = g_mime_object_get_headers(GMIME_OBJECT(mime), nullptr)) {
        p.Set(tag::PR_TRANSPORT_MESSAGE_HEADERS,
              Variant(Utf8Of({reinterpret_cast<const std::uint8_t*>(headers), std::strlen(headers)})));
        g_free(headers);
    }

    Content content;
    if (GMimeObject* body = g_mime_message_get_mime_part(mime)) Walk(body, depth, 0, content);
    if (content.plain) p.Set(tag::PR_BODY, Variant(WithCrLf(*content.plain)));
    if (content.html) {
        p.Set(tag::PR_HTML, Variant(Bytes(content.html->begin(), content.html->end())));
        p.Set(tag::PR_INTERNET_CPID, Variant(kUtf8CodePage));
    }
    std::int32_t flags = MSGFLAG_READ;
    if (!content.attachments.empty()) flags |= MSGFLAG_HASATTACH;
    p.Set(tag::PR_MESSAGE_FLAGS, Variant(flags));
    message.attachments = std::move(content.attachments);
    return message;
}

void MimeMessageConverter::AddAddresses(InternetAddressList* list, std::int32_t type, MessageData& message,
                                        int depth) const {
    const int count = list ? internet_address_list_length(list) : 0;
    for (int i = 0; i < count; ++i) {
        InternetAddress* address = internet_address_list_get_address(list, i);
        if (INTERNET_ADDRESS_IS_GROUP(address)) {
            if (depth < kMaxGroupNesting) {
                AddAddresses(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address)), type, message,
                             depth + 1);
            }
            continue;
        }
        if (message.recipients.size() >= limits_.maxRecipients) throw FormatError("it has more recipients than the limit");
        const std::string email = Text(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address)));
        const std::string name = Text(internet_address_get_name(address));
        RecipientData recipient;
        recipient.properties.Set(tag::PR_DISPLAY_NAME, Variant(name.empty() ? email : name));
        recipient.properties.Set(tag::PR_ADDRTYPE, Variant("SMTP"));
        recipient.properties.Set(tag::PR_EMAIL_ADDRESS, Variant(email));
        recipient.properties.Set(tag::PR_SMTP_ADDRESS, Variant(email));
        recipient.properties.Set(tag::PR_RECIPIENT_TYPE, Variant(type));
        message.recipients.push_back(std::move(recipient));
    }
}

void MimeMessageConverter::Walk(GMimeObject* object, int depth, int nesting, Content& content) const {
    if (nesting > kMaxMimeNesting) throw FormatError("its MIME parts are nested deeper than the limit");
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        const int count = g_mime_multipart_get_count(multipart);
        for (int i = 0; i < count; ++i) Walk(g_mime_multipart_get_part(multipart, i), depth, nesting + 1, content);
        return;
    }
    if (content.attachments.size() >= limits_.maxAttachments) throw FormatError("it has more attachments than the limit");
    if (GMIME_IS_MESSAGE_PART(object)) {
        GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object));
        if (!inner) return;
        AttachmentData attachment;
        attachment.embedded = std::make_shared<MessageData>(Convert(inner, depth + 1));
        const Variant subject = attachment.embedded->properties.GetValue(tag::PR_SUBJECT);
        attachment.properties.Set(tag::PR_ATTACH_METHOD, Variant(ATTACH_EMBEDDED_MSG));
        attachment.properties.Set(tag::PR_ATTACH_MIME_TAG, Variant("message/rfc822"));
        attachment.properties.Set(tag::PR_DISPLAY_NAME, subject);
        content.attachments.push_back(std::move(attachment));
        return;
    }
    if (GMIME_IS_PART(object)) AddPart(GMIME_PART(object), content);
}

void MimeMessageConverter::AddPart(GMimePart* part, Content& content) const {
    GMimeObject* object = GMIME_OBJECT(part);
    GMimeContentType* contentType = g_mime_object_get_content_type(object);
    const std::string type = Lower(Text(contentType ? g_mime_content_type_get_media_type(contentType) : nullptr));
    const std::string subtype = Lower(Text(contentType ? g_mime_content_type_get_media_subtype(contentType) : nullptr));
    const std::string fileName = Text(g_mime_part_get_filename(part));
    GMimeContentDisposition* disposition = g_mime_object_get_content_disposition(object);
    const bool isAttachment = disposition && g_mime_content_disposition_is_attachment(disposition);

    if (type == "text" && (subtype == "plain" || subtype == "html") && !isAttachment && fileName.empty()) {
        auto& body = subtype == "plain" ? content.plain : content.html;
        if (!body) {
            body = DecodedText(part);
            return;
        }
        // A later inline text part (a mailing list's footer) continues the plain body.
        if (subtype == "plain") {
            *body += "\n" + DecodedText(part);
            return;
        }
    }

    const std::string name = fileName.empty() ? DefaultFileName(type, subtype, content.attachments.size() + 1) : fileName;
    AttachmentData attachment;
    PropertyBag& p = attachment.properties;
    p.Set(tag::PR_ATTACH_METHOD, Variant(ATTACH_BY_VALUE));
    p.Set(tag::PR_ATTACH_DATA_BIN, Variant(Decoded(part)));
    p.Set(tag::PR_ATTACH_LONG_FILENAME, Variant(name));
    p.Set(tag::PR_ATTACH_FILENAME, Variant(name));
    p.Set(tag::PR_DISPLAY_NAME, Variant(name));
    p.Set(tag::PR_ATTACH_EXTENSION, Variant(Extension(name)));
    p.Set(tag::PR_ATTACH_MIME_TAG, Variant(type.empty() ? "application/octet-stream" : type + "/" + subtype));
    if (const char* id = g_mime_object_get_content_id(object)) p.Set(tag::PR_ATTACH_CONTENT_ID, Variant(Text(id)));
    content.attachments.push_back(std::move(attachment));
}

}  // namespace ostrellix::standin::message

#include "standins/message/VCardWriter.h"

#include <algorithm>
#include <cstdio>

#include "runtime/Base64.h"
#include "standins/message/FileIo.h"
#include "standins/message/VCardText.h"

namespace ostrellix::standin::message {

namespace {

std::string GuessMediaType(const Bytes& photo) {
    auto startsWith = [&photo](std::initializer_list<std::uint8_t> magic) {
        return photo.size() >= magic.size() && std::equal(magic.begin(), magic.end(), photo.begin());
    };
    if (startsWith({0xFF, 0xD8})) return "image/jpeg";
    if (startsWith({0x89, 'P', 'N', 'G'})) return "image/png";
    if (startsWith({'G', 'I', 'F', '8'})) return "image/gif";
    if (startsWith({'B', 'M'})) return "image/bmp";
    return "application/octet-stream";
}

std::string Address(const PostalAddress& a) {
    using vcard::Escape;
    return ";;" + Escape(a.street) + ";" + Escape(a.city) + ";" + Escape(a.region) + ";" + Escape(a.postalCode) +
           ";" + Escape(a.country);
}

}  // namespace

std::string VCardWriter::Write(const ContactCard& card) {
    using vcard::Escape;
    std::string out;
    auto line = [&out](const std::string& text) { out += vcard::Fold(text); };
    auto text = [&line](const char* property, const std::string& value) {
        if (!value.empty()) line(std::string(property) + ":" + Escape(value));
    };

    line("BEGIN:VCARD");
    line("VERSION:4.0");
    std::string fullName = card.fullName;
    if (fullName.empty()) fullName = card.firstName + (card.firstName.empty() || card.lastName.empty() ? "" : " ") + card.lastName;
    line("FN:" + Escape(fullName));  // the one property every card must have
    if (!card.firstName.empty() || !card.lastName.empty()) line("N:" + Escape(card.lastName) + ";" + Escape(card.firstName) + ";;;");
    text("NICKNAME", card.nickname);
    text("TITLE", card.jobTitle);
    if (!card.company.empty()) line("ORG:" + Escape(card.company));
    if (card.birthday) {
        char date[16];
        std::snprintf(date, sizeof date, "%04d%02d%02d", card.birthday->Year(), card.birthday->Month(),
                      card.birthday->Day());
        line(std::string("BDAY:") + date);
    }
    text("EMAIL;PREF=1", card.email1);
    text("EMAIL", card.email2);
    text("TEL;VALUE=text;TYPE=work,voice", card.businessPhone);
    text("TEL;VALUE=text;TYPE=home,voice", card.homePhone);
    text("TEL;VALUE=text;TYPE=cell", card.mobilePhone);
    text("TEL;VALUE=text;TYPE=work,fax", card.businessFax);
    text("TEL;VALUE=text;TYPE=home,fax", card.homeFax);
    if (!card.businessAddress.Empty()) line("ADR;TYPE=work:" + Address(card.businessAddress));
    if (!card.homeAddress.Empty()) line("ADR;TYPE=home:" + Address(card.homeAddress));
    // URIs are not text: they go unescaped.
    if (!card.businessHomePage.empty()) line("URL;TYPE=work:" + card.businessHomePage);
    if (!card.personalHomePage.empty()) line("URL;TYPE=home:" + card.personalHomePage);
    text("NOTE", card.notes);
    if (!card.photo.empty()) {
        const std::string type = card.photoMediaType.empty() ? GuessMediaType(card.photo) : card.photoMediaType;
        line("PHOTO:data:" + type + ";base64," + Base64Encode(card.photo));
    }
    line("END:VCARD");
    return out;
}

void VCardWriter::WriteFile(const ContactCard& card, const std::filesystem::path& path) {
    const std::string text = Write(card);
    FileIo::WriteAtomically(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "VCardWriter");
}

}  // namespace ostrellix::standin::message

#include "standins/message/VCardReader.h"

#include <algorithm>
#include <optional>
#include <string>

#include "runtime/Base64.h"
#include "runtime/ErrorHandling.h"
#include "standins/message/CodePage.h"
#include "standins/message/FileIo.h"
#include "standins/message/FormatError.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/VCardLine.h"
#include "standins/message/VCardText.h"

namespace ostrellix::standin::message {

namespace {

constexpr const char* kSource = "VCardReader";
constexpr std::size_t kMaxCards = 100000;

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && Upper(std::string(text.substr(0, prefix.size()))) == Upper(std::string(prefix));
}

// Physical lines joined into logical ones: folded lines continue after a
// space or tab, quoted-printable values after a trailing "=".
std::vector<std::string> LogicalLines(std::span<const std::uint8_t> bytes) {
    std::vector<std::string> physical;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = static_cast<char>(bytes[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            physical.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) physical.push_back(std::move(current));

    std::vector<std::string> logical;
    for (std::size_t i = 0; i < physical.size(); ++i) {
        const std::string& line = physical[i];
        if (!logical.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            logical.back().append(line, 1);
            continue;
        }
        logical.push_back(line);
        const std::string header = Upper(line.substr(0, line.find(':')));
        if (header.find("QUOTED-PRINTABLE") == std::string::npos) continue;
        while (!logical.back().empty() && logical.back().back() == '=' && i + 1 < physical.size()) {
            logical.back().pop_back();
            logical.back() += physical[++i];
        }
    }
    return logical;
}

std::string Utf8Of(std::span<const std::uint8_t> bytes) {
    if (CodePage::IsValidUtf8(bytes)) return std::string(bytes.begin(), bytes.end());
    return CodePage::ToUtf8(bytes, "windows-1252");
}

// The value as text: quoted-printable and charset undone, escapes kept.
std::string RawText(const VCardLine& line) {
    std::vector<std::uint8_t> bytes;
    const auto encoding = line.Param("ENCODING");
    if (!encoding.empty() && Upper(encoding.front()) == "QUOTED-PRINTABLE") {
        bytes = vcard::DecodeQuotedPrintable(line.Value());
    } else {
        bytes.assign(line.Value().begin(), line.Value().end());
    }
    const auto charset = line.Param("CHARSET");
    if (!charset.empty() && !charset.front().empty()) return CodePage::ToUtf8(bytes, charset.front());
    return Utf8Of(bytes);
}

std::string TextOf(const VCardLine& line) { return vcard::Unescape(RawText(line)); }

std::vector<std::string> ComponentsOf(const VCardLine& line) {
    std::vector<std::string> parts = vcard::SplitComponents(RawText(line));
    for (std::string& part : parts) part = vcard::Unescape(part);
    return parts;
}

std::string Component(const std::vector<std::string>& parts, std::size_t index) {
    return index < parts.size() ? parts[index] : std::string();
}

std::optional<Date> BirthdayOf(std::string text) {
    if (const auto t = text.find('T'); t != std::string::npos) text.resize(t);
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') digits += c;
    }
    if (digits.size() != 8 || text.rfind("--", 0) == 0) return std::nullopt;  // "--0415": no year
    const int year = std::stoi(digits.substr(0, 4));
    const int month = std::stoi(digits.substr(4, 2));
    const int day = std::stoi(digits.substr(6, 2));
    std::optional<Date> date;
    IgnoreErrors([&] { date = Date::FromParts(year, month, day); });
    return date;
}

void ReadPhoto(const VCardLine& line, ContactCard& card) {
    std::string value = line.Value();
    std::string mediaType;
    if (StartsWithNoCase(value, "data:")) {
        const auto comma = value.find(',');
        if (comma == std::string::npos) return;
        const std::string header = value.substr(5, comma - 5);
        mediaType = header.substr(0, header.find(';'));
        if (Upper(header).find(";BASE64") == std::string::npos) return;
        value = value.substr(comma + 1);
    } else {
        const auto encoding = line.Param("ENCODING");
        if (encoding.empty() || (Upper(encoding.front()) != "B" && Upper(encoding.front()) != "BASE64")) return;
        for (const std::string& type : line.Param("TYPE")) {
            const std::string upper = Upper(type);
            if (upper == "JPEG" || upper == "JPG") {
                mediaType = "image/jpeg";
            } else if (upper == "PNG" || upper == "GIF" || upper == "BMP") {
                mediaType = "image/";
                for (char c : upper) mediaType += static_cast<char>(c - 'A' + 'a');
            } else if (type.find('/') != std::string::npos) {
                mediaType = type;
            }
        }
        if (const auto given = line.Param("MEDIATYPE"); !given.empty()) mediaType = given.front();
    }
    // A photo that does not decode is left out; the rest of the card stands.
    IgnoreErrors([&] {
        card.photo = Base64Decode(value);
        card.photoMediaType = mediaType;
    });
}

void Apply(const VCardLine& line, ContactCard& card, std::vector<std::pair<bool, std::string>>& emails) {
    const std::string& name = line.Name();
    if (name == "FN") {
        card.fullName = TextOf(line);
    } else if (name == "N") {
        const auto parts = ComponentsOf(line);
        card.lastName = Component(parts, 0);
        card.firstName = Component(parts, 1);
    } else if (name == "NICKNAME") {
        card.nickname = Component(ComponentsOf(line), 0);
        card.nickname = card.nickname.substr(0, card.nickname.find(','));
    } else if (name == "TITLE") {
        card.jobTitle = TextOf(line);
    } else if (name == "ORG") {
        card.company = Component(ComponentsOf(line), 0);
    } else if (name == "BDAY") {
        card.birthday = BirthdayOf(TextOf(line));
    } else if (name == "EMAIL") {
        const auto pref = line.Param("PREF");
        const bool preferred = line.HasType("PREF") || (!pref.empty() && pref.front() == "1");
        emails.emplace_back(preferred, TextOf(line));
    } else if (name == "TEL") {
        std::string number = TextOf(line);
        if (StartsWithNoCase(number, "tel:")) number = number.substr(4);
        const bool home = line.HasType("HOME");
        const bool work = line.HasType("WORK");
        const bool fax = line.HasType("FAX");
        std::string* slot = nullptr;
        if (line.HasType("CELL") || line.HasType("MOBILE")) {
            slot = &card.mobilePhone;
        } else if (fax) {
            slot = home ? &card.homeFax : &card.businessFax;
        } else if (home) {
            slot = &card.homePhone;
        } else if (work || !line.HasAnyType() || line.HasType("VOICE")) {
            slot = card.businessPhone.empty() || work ? &card.businessPhone : &card.homePhone;
        }
        if (slot && slot->empty()) *slot = number;
    } else if (name == "ADR") {
        const auto parts = ComponentsOf(line);
        PostalAddress address;
        address.street = Component(parts, 2).empty() ? Component(parts, 0) : Component(parts, 2);
        address.city = Component(parts, 3);
        address.region = Component(parts, 4);
        address.postalCode = Component(parts, 5);
        address.country = Component(parts, 6);
        PostalAddress& slot = line.HasType("HOME") ? card.homeAddress
                              : line.HasType("WORK") || card.businessAddress.Empty() ? card.businessAddress
                                                                                     : card.homeAddress;
        if (slot.Empty()) slot = address;
    } else if (name == "URL") {
        std::string& slot = line.HasType("HOME") ? card.personalHomePage : card.businessHomePage;
        if (slot.empty()) slot = TextOf(line);
    } else if (name == "NOTE") {
        card.notes = TextOf(line);
    } else if (name == "PHOTO") {
        ReadPhoto(line, card);
    }
}

ContactCard Finish(ContactCard card, std::vector<std::pair<bool, std::string>>& emails) {
    std::stable_partition(emails.begin(), emails.end(), [](const auto& e) { return e.first; });
    if (!emails.empty()) card.email1 = emails[0].second;
    if (emails.size() > 1) card.email2 = emails[1].second;
    if (card.fullName.empty()) {
        card.fullName = card.firstName;
        if (!card.lastName.empty()) card.fullName += (card.fullName.empty() ? "" : " ") + card.lastName;
    }
    return card;
}

}  // namespace

std::vector<ContactCard> VCardReader::ReadFile(const std::filesystem::path& path) const {
    const auto bytes = FileIo::ReadAll(path, limits_.maxFileBytes, kSource);
    return Read(bytes, path.string());
}

std::vector<ContactCard> VCardReader::Read(std::span<const std::uint8_t> bytes, std::string_view fileName) const {
    try {
        if (bytes.size() > limits_.maxFileBytes) throw FormatError("the file is larger than the limit");
        std::vector<ContactCard> cards;
        std::optional<ContactCard> card;
        std::vector<std::pair<bool, std::string>> emails;
        int nested = 0;  // vCard 2.1 may hold a card (AGENT) inside a card
        for (const std::string& text : LogicalLines(bytes)) {
            const auto line = VCardLine::Parse(text);
            if (!line) continue;
            const std::string value = Upper(line->Value());
            if (line->Name() == "BEGIN" && value.rfind("VCARD", 0) == 0) {
                if (card) {
                    ++nested;
                } else {
                    if (cards.size() >= kMaxCards) throw FormatError("it holds more cards than the limit");
                    card.emplace();
                    emails.clear();
                }
            } else if (line->Name() == "END" && value.rfind("VCARD", 0) == 0 && card) {
                if (nested > 0) {
                    --nested;
                } else {
                    cards.push_back(Finish(std::move(*card), emails));
                    card.reset();
                }
            } else if (card && nested == 0) {
                Apply(*line, *card, emails);
            }
        }
        if (card) throw FormatError("the last card is cut short (no END:VCARD)");
        if (cards.empty()) throw FormatError("it holds no vCard");
        return cards;
    } catch (const FormatError& error) {
        RaiseFileError(file_error::Corrupt, kSource, fileName, "read the business card", error.what());
    }
}

}  // namespace ostrellix::standin::message

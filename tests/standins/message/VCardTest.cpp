#include <gtest/gtest.h>

#include "runtime/ComError.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/VCardReader.h"
#include "standins/message/VCardWriter.h"
#include "tests/standins/message/TestMessages.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::message {
namespace {

std::vector<ContactCard> ReadText(const std::string& text) {
    return VCardReader().Read({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, "card.vcf");
}

ContactCard FullCard() {
    ContactCard card;
    card.fullName = "Åsa Lind-Öberg";
    card.firstName = "Åsa";
    card.lastName = "Lind-Öberg";
    card.nickname = "Åsan";
    card.jobTitle = "Inköpschef, Norden; Baltikum";  // comma and semicolon must survive
    card.company = "Stolar & Bord AB";
    card.birthday = Date::FromParts(1978, 2, 28);
    card.email1 = "asa@example.se";
    card.email2 = "asa.lind@example.com";
    card.homePhone = "+46 8 123 45";
    card.businessPhone = "+46 8 765 43";
    card.mobilePhone = "+46 70 111 22 33";
    card.homeFax = "+46 8 123 46";
    card.businessFax = "+46 8 765 44";
    card.homeAddress = {"Storgatan 1", "Uppsala", "Uppsala län", "753 20", "Sverige"};
    card.businessAddress = {"Industrivägen 7\nBox 12", "Solna", "", "171 48", "Sverige"};
    card.personalHomePage = "https://asa.example.se/";
    card.businessHomePage = "https://stolar.example.se/om?a=1,2";
    card.notes = "Träffades på mässan.\nRing efter 10. Backslash \\ kvar.";
    card.photo = testing::SomeBytes(1500, 5);
    card.photo[0] = 0xFF;
    card.photo[1] = 0xD8;
    card.photoMediaType = "image/jpeg";
    return card;
}

TEST(VCard, EveryFieldSurvivesWritingAndReadingAndAFileIsWrittenWhole) {
    const ContactCard card = FullCard();
    const auto cards = ReadText(VCardWriter::Write(card));
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0], card);
    const ostrellix::testing::TempDirectory dir;
    VCardWriter::WriteFile(card, dir.Path() / "asa.vcf");
    EXPECT_EQ(VCardReader().ReadFile(dir.Path() / "asa.vcf"), std::vector<ContactCard>{card});
}

TEST(VCard, LinesAreFoldedAt75OctetsWithoutSplittingCharactersAndEndInCrLf) {
    ContactCard card;
    card.fullName = "x";
    card.notes = std::string(40, 'a') + std::string(60, 'a') + "ÅÄÖ ÅÄÖ ÅÄÖ ÅÄÖ ÅÄÖ ÅÄÖ ÅÄÖ ÅÄÖ ÅÄÖ ÅÄÖ ÅÄÖ";
    const std::string text = VCardWriter::Write(card);
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "a line without CRLF";
        EXPECT_LE(end - start, 75u);
        // A continuation never starts in the middle of a UTF-8 character.
        if (text[start] == ' ') {
            EXPECT_NE(static_cast<unsigned char>(text[start + 1]) & 0xC0, 0x80);
        }
        start = end + 2;
    }
    EXPECT_EQ(ReadText(text).at(0).notes, card.notes);
    EXPECT_NE(text.find("VERSION:4.0\r\n"), std::string::npos);

    // Bytes that are not UTF-8 at all are still folded (found by fuzzing: a
    // run of continuation bytes once stopped the folding from advancing).
    card.notes = std::string(200, '\x80');
    const std::string folded = VCardWriter::Write(card);
    EXPECT_EQ(folded.find("\r\n \r\n"), std::string::npos);
    EXPECT_EQ(ReadText(folded).size(), 1u);
}

TEST(VCard, Version21QuirksAreRead) {
    // As an older mail program writes it: bare parameters, quoted-printable
    // with soft line breaks, a code page named by CHARSET, a folded base64 photo.
    const std::string text =
        "BEGIN:VCARD\r\n"
        "VERSION:2.1\r\n"
        "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Str=F6m;J=F6rgen\r\n"
        "FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:J=F6rgen Str=F6m\r\n"
        "ORG:Stolar AB;Inköp\r\n"
        "TITLE:Chef\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:F=C3=B6rsta raden=0D=0A=\r\n"
        "andra raden\r\n"
        "TEL;WORK;VOICE:08-765 43\r\n"
        "TEL;HOME;VOICE:08-123 45\r\n"
        "TEL;WORK;FAX:08-765 44\r\n"
        "ADR;WORK;ENCODING=QUOTED-PRINTABLE:;;Industriv=E4gen 7;Solna;;171 48;Sverige\r\n"
        "URL;WORK:http://stolar.example.se\r\n"
        "EMAIL;PREF;INTERNET:jorgen@example.se\r\n"
        "BDAY:1970-05-06\r\n"
        "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n"
        " /9j/4AAQ\r\n"
        " SkZJRg==\r\n"
        "\r\n"
        "END:VCARD\r\n";
    const auto cards = ReadText(text);
    ASSERT_EQ(cards.size(), 1u);
    const ContactCard& card = cards[0];
    EXPECT_EQ(card.lastName, "Ström");
    EXPECT_EQ(card.firstName, "Jörgen");
    EXPECT_EQ(card.company, "Stolar AB");
    EXPECT_EQ(card.notes, "Första raden\r\nandra raden");
    EXPECT_EQ(card.businessPhone, "08-765 43");
    EXPECT_EQ(card.homePhone, "08-123 45");
    EXPECT_EQ(card.businessFax, "08-765 44");
    EXPECT_EQ(card.businessAddress.street, "Industrivägen 7");  // undeclared 8-bit: windows-1252
    EXPECT_EQ(card.businessHomePage, "http://stolar.example.se");
    EXPECT_EQ(card.email1, "jorgen@example.se");
    EXPECT_EQ(card.birthday, Date::FromParts(1970, 5, 6));
    EXPECT_EQ(card.photoMediaType, "image/jpeg");
    EXPECT_EQ(card.photo, (Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'}));
}

TEST(VCard, Version3CardsAndSeveralCardsInOneFile) {
    const auto cards = ReadText(
        "BEGIN:VCARD\nVERSION:3.0\nFN:Bo Ek\nN:Ek;Bo;;;\nEMAIL;TYPE=INTERNET:bo@example.se\n"
        "EMAIL;TYPE=INTERNET,PREF:bo.ek@example.com\nTEL;TYPE=HOME,FAX:08-1\nitem1.ADR;TYPE=HOME:;;Gatan 2;Lund;;222 22;\n"
        "BDAY:19800214\nPHOTO;ENCODING=b;TYPE=PNG:iVBORw==\nEND:VCARD\n"
        "BEGIN:VCARD\nVERSION:4.0\nN:Berg;Cecilia;;;\nTEL;VALUE=uri;TYPE=\"voice,work\":tel:+46-8-1\nEND:VCARD\n");
    ASSERT_EQ(cards.size(), 2u);
    EXPECT_EQ(cards[0].email1, "bo.ek@example.com");  // the preferred one first
    EXPECT_EQ(cards[0].email2, "bo@example.se");
    EXPECT_EQ(cards[0].homeFax, "08-1");
    EXPECT_EQ(cards[0].homeAddress.city, "Lund");
    EXPECT_EQ(cards[0].birthday, Date::FromParts(1980, 2, 14));
    EXPECT_EQ(cards[0].photoMediaType, "image/png");
    EXPECT_EQ(cards[1].fullName, "Cecilia Berg");  // made from N when FN is missing
    EXPECT_EQ(cards[1].businessPhone, "+46-8-1");
}

TEST(VCard, FilesWithoutACompleteCardAreErrorsNamingTheFile) {
    for (const std::string& text : {std::string(), std::string("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Cut"),
                                    std::string("just some text\r\n")}) {
        const auto error = ostrellix::testing::Raised([&] { ReadText(text); });
        ASSERT_TRUE(error) << "accepted: " << text;
        EXPECT_EQ(error->Number(), file_error::Corrupt);
        EXPECT_NE(error->Description().find("'card.vcf'"), std::string::npos);
    }
}

}  // namespace
}  // namespace ostrellix::standin::message

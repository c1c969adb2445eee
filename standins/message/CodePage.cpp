#include "standins/message/CodePage.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <memory>

namespace ostrellix::standin::message {

namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter Open(std::string_view charset) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(std::string(charset).c_str(), &status));
    if (U_FAILURE(status)) return nullptr;
    return converter;
}

// Bytes the charset does not map become U+FFFD (not U+001A, which ICU gives
// for some single-byte charsets), and `context`, a bool, records that they did.
void SubstituteAndNote(const void* context, UConverterToUnicodeArgs* args, const char*, int32_t,
                       UConverterCallbackReason reason, UErrorCode* status) {
    if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
    *static_cast<bool*>(const_cast<void*>(context)) = true;
    *status = U_ZERO_ERROR;
    static constexpr UChar kReplacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, status);
}

}  // namespace

std::string CodePage::CharsetOf(std::uint32_t codePage) {
    switch (codePage) {
        // ICU's "cpNNN" of these are IBM's tables, not Windows' own.
        case 874: return "windows-874";
        case 932: return "windows-932";
        case 949: return "windows-949";
        case 950: return "windows-950";
        case 1200: return "UTF-16LE";
        case 1201: return "UTF-16BE";
        case 936: return "GBK";
        case 10000: return "macintosh";
        case 20127: return "US-ASCII";
        case 20866: return "KOI8-R";
        case 21866: return "KOI8-U";
        case 28605: return "ISO-8859-15";
        case 50220:
        case 50221:
        case 50222: return "ISO-2022-JP";
        case 51932: return "EUC-JP";
        case 51949: return "EUC-KR";
        case 54936: return "GB18030";
        case 65000: return "UTF-7";
        case 65001: return "UTF-8";
        default: break;
    }
    if (codePage >= 28591 && codePage <= 28599) return "ISO-8859-" + std::to_string(codePage - 28590);
    const std::string name = "cp" + std::to_string(codePage);
    return Open(name) ? name : "windows-1252";
}

CodePage::Decoded CodePage::Decode(std::span<const std::uint8_t> bytes, std::string_view charset) {
    Decoded result;
    if (bytes.empty()) return result;
    Converter converter = Open(charset);
    if (!converter) converter = Open("windows-1252");
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), SubstituteAndNote, &result.replaced, nullptr, nullptr, &status);
    const auto* source = reinterpret_cast<const char*>(bytes.data());
    const auto sourceLength = static_cast<int32_t>(bytes.size());
    status = U_ZERO_ERROR;
    const int32_t needed = ucnv_toUChars(converter.get(), nullptr, 0, source, sourceLength, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return result;
    std::u16string units(static_cast<std::size_t>(needed) + 1, u'\0');
    status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter.get(), units.data(), static_cast<int32_t>(units.size()), source, sourceLength, &status);
    if (U_FAILURE(status)) return result;
    std::string out(static_cast<std::size_t>(length) * 3 + 4, '\0');
    int32_t written = 0;
    status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &written, units.data(), length, 0xFFFD,
                       nullptr, &status);
    if (U_FAILURE(status)) return result;
    out.resize(static_cast<std::size_t>(written));
    result.text = std::move(out);
    return result;
}

std::string CodePage::ToUtf8(std::span<const std::uint8_t> bytes, std::string_view charset) {
    return Decode(bytes, charset).text;
}

std::optional<std::vector<std::uint8_t>> CodePage::FromUtf8(std::string_view text, std::string_view charset) {
    Converter converter = Open(charset);
    if (!converter) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    std::u16string units(text.size() + 4, u'\0');
    int32_t unitCount = 0;
    status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(units.data(), static_cast<int32_t>(units.size()), &unitCount, text.data(),
                         static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) return std::nullopt;
    status = U_ZERO_ERROR;
    const int32_t needed = ucnv_fromUChars(converter.get(), nullptr, 0, units.data(), unitCount, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return std::nullopt;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(needed) + 1);
    status = U_ZERO_ERROR;
    const auto length = ucnv_fromUChars(converter.get(), reinterpret_cast<char*>(out.data()),
                                        static_cast<int32_t>(out.size()), units.data(), unitCount, &status);
    if (U_FAILURE(status)) return std::nullopt;
    out.resize(static_cast<std::size_t>(length));
    return out;
}

bool CodePage::IsValidUtf8(std::span<const std::uint8_t> bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t b = bytes[i];
        std::size_t extra;
        char32_t c;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            c = b & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) return false;
            c = c << 6 | (bytes[i + k] & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace ostrellix::standin::message

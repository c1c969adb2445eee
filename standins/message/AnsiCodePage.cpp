#include "standins/message/AnsiCodePage.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace ostrellix::standin::message {

namespace {

// Internet code page -> Windows ANSI code page of its script, sorted by the first.
constexpr std::pair<std::uint32_t, std::uint32_t> kScripts[] = {
    {708, 1256},     // ASMO-708
    {866, 1251},     // cp866
    {874, 874},      // windows-874, TIS-620
    {932, 932},      // Shift_JIS
    {936, 936},      // GB2312, GBK
    {949, 949},      // ks_c_5601-1987
    {950, 950},      // Big5
    {1250, 1250},
    {1251, 1251},
    {1252, 1252},
    {1253, 1253},
    {1254, 1254},
    {1255, 1255},
    {1256, 1256},
    {1257, 1257},
    {1258, 1258},
    {10000, 1252},   // macintosh
    {10001, 932},    // x-mac-japanese
    {10006, 1253},   // x-mac-greek
    {10007, 1251},   // x-mac-cyrillic
    {10029, 1250},   // x-mac-ce
    {10081, 1254},   // x-mac-turkish
    {20000, 950},    // x-Chinese-CNS
    {20127, 1252},   // us-ascii
    {20866, 1251},   // KOI8-R
    {20932, 932},    // EUC-JP (JIS X 0208-1990 and 0212-1990)
    {20936, 936},    // GB2312-80
    {20949, 949},    // x-cp20949
    {21866, 1251},   // KOI8-U
    {28591, 1252},   // ISO-8859-1
    {28592, 1250},   // ISO-8859-2
    {28593, 1254},   // ISO-8859-3: Turkish, Maltese, Esperanto
    {28594, 1257},   // ISO-8859-4
    {28595, 1251},   // ISO-8859-5
    {28596, 1256},   // ISO-8859-6
    {28597, 1253},   // ISO-8859-7
    {28598, 1255},   // ISO-8859-8
    {28599, 1254},   // ISO-8859-9
    {28601, 874},    // ISO-8859-11
    {28603, 1257},   // ISO-8859-13
    {28605, 1252},   // ISO-8859-15
    {38598, 1255},   // ISO-8859-8-I
    {50220, 932},    // ISO-2022-JP
    {50221, 932},    // csISO2022JP
    {50222, 932},    // ISO-2022-JP with SO/SI
    {50225, 949},    // ISO-2022-KR
    {50227, 936},    // ISO-2022-CN
    {50229, 950},    // ISO-2022-CN (traditional)
    {51932, 932},    // EUC-JP
    {51936, 936},    // EUC-CN
    {51949, 949},    // EUC-KR
    {51950, 950},    // EUC-TW
    {52936, 936},    // HZ-GB-2312
    {54936, 936},    // GB18030
};
static_assert(std::is_sorted(std::begin(kScripts), std::end(kScripts)));

}  // namespace

std::optional<std::uint32_t> AnsiCodePage::OfScript(std::uint32_t internetCodePage) {
    const auto found = std::lower_bound(std::begin(kScripts), std::end(kScripts), internetCodePage,
                                        [](const auto& entry, std::uint32_t key) { return entry.first < key; });
    if (found == std::end(kScripts) || found->first != internetCodePage) return std::nullopt;
    return found->second;
}

std::uint32_t AnsiCodePage::Of(std::optional<std::uint32_t> messageCodePage,
                               std::optional<std::uint32_t> internetCodePage, std::uint32_t otherwise) {
    if (messageCodePage) return *messageCodePage;
    if (internetCodePage) {
        if (const auto script = OfScript(*internetCodePage)) return *script;
    }
    return otherwise;
}

}  // namespace ostrellix::standin::message

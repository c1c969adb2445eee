#pragma once

#include <cstdint>
#include <string_view>

namespace ostrellix::win {

// The platform's message box (MessageBoxA), used when the host's own cannot
// be. Flags and answers are the platform's: buttons in the low four bits
// (0 OK, 1 OK/Cancel, 3 Yes/No/Cancel, 4 Yes/No), icon 16/32/48/64, default
// button 0x100/0x200, 0x10000 to keep the box in the foreground; answers 1 OK,
// 2 Cancel, 6 Yes, 7 No.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual std::int32_t Show(std::string_view text, std::string_view caption, std::int32_t flags) = 0;
};

namespace mb {
inline constexpr std::int32_t OK = 0, OKCancel = 1, YesNoCancel = 3, YesNo = 4;
inline constexpr std::int32_t IconCritical = 16, IconQuestion = 32, IconExclamation = 48, IconInformation = 64;
inline constexpr std::int32_t DefaultButton2 = 0x100, DefaultButton3 = 0x200, Foreground = 0x10000;
inline constexpr std::int32_t AnswerOK = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7;
}  // namespace mb

}  // namespace ostrellix::win

#pragma once
// The display format code of a memo or a bracket (an int32):
//   bits 24-27  category: 0 text, 1 number, 2 date, 3 time, 4 boolean
//               (the higher bits of the top byte are not read)
//   bits 16-23  kind: 0 to 3 the fixed presentations of the category, 4 custom
//               (the pattern is the memo's format text)
//   bits  8-15  number of decimals (numbers only)
//   bits  0-7   character code of the decimal separator (numbers only; 0 keeps
//               the separator in effect)
// A new memo has 0x200 plus the code of the system's decimal separator: text,
// shown as it is.

#include <cstdint>

enum TrqFormatCategory { fcText = 0, fcNumber = 1, fcDate = 2, fcTime = 3, fcBoolean = 4 };
inline constexpr int fkCustom = 4;

constexpr int FormatCategory(int32_t code)
{
    return static_cast<int>((static_cast<uint32_t>(code) >> 24) & 0x0F);
}
constexpr int FormatKind(int32_t code)
{
    return static_cast<int>((static_cast<uint32_t>(code) >> 16) & 0xFF);
}
constexpr int FormatDecimals(int32_t code)
{
    return static_cast<int>((static_cast<uint32_t>(code) >> 8) & 0xFF);
}
constexpr char FormatSeparator(int32_t code)
{
    return static_cast<char>(code & 0xFF);
}
constexpr int32_t MakeFormatCode(int category, int kind, int decimals = 0, char separator = 0)
{
    return static_cast<int32_t>(((static_cast<uint32_t>(category) & 0xFF) << 24) |
                                ((static_cast<uint32_t>(kind) & 0xFF) << 16) |
                                ((static_cast<uint32_t>(decimals) & 0xFF) << 8) |
                                static_cast<unsigned char>(separator));
}

#pragma once
// Text in the ANSI code page.
//
// Module and engine text is an AnsiString: bytes in the ANSI code page (CP936/GBK
// unless start-up chose another). Lengths and positions count bytes; a Chinese
// character is two. Text crosses to Qt (QString) and to the terminal or JSON
// (UTF-8) only through the converters below, which never fail: a byte sequence
// that is not valid in the source encoding becomes U+FFFD (or "?" towards the code
// page, which has no replacement character of its own).
//
// Case functions change only the ASCII letters and never touch the trail byte of
// a double-byte character (trail bytes of GBK include the ASCII letter range).

#include <string>
#include <string_view>

class QString;

using AnsiString = std::string;

// Chooses the ANSI code page by its iconv name ("CP936", "CP950", "CP1252", ...).
// Meant to be called once at start-up, before text is converted.
void SetAnsiCodePage(std::string_view iconvName);
const std::string& AnsiCodePage();
bool IsDoubleByteCodePage();

// True when the byte starts a double-byte character in the current code page.
bool IsLeadByte(unsigned char c);
// The length in bytes of the character that starts at text[pos] (1 or 2; a lead
// byte at the very end counts as 1).
size_t CharLengthAt(std::string_view text, size_t pos);

QString AnsiToQString(std::string_view text);
AnsiString QStringToAnsi(const QString& text);
std::string AnsiToUtf8(std::string_view text);
AnsiString Utf8ToAnsi(std::string_view text);

// ASCII case, double-byte aware.
AnsiString UpperCase(std::string_view text);
AnsiString LowerCase(std::string_view text);
// Case-insensitive (ASCII) comparison: <0, 0, >0.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Byte-wise comparison: <0, 0, >0.
int CompareStr(std::string_view a, std::string_view b);

// Blanks and control characters (code 32 or less) removed at the ends.
AnsiString Trim(std::string_view text);
AnsiString TrimLeft(std::string_view text);
AnsiString TrimRight(std::string_view text);

// Literal for engine texts written in UTF-8 source code, converted once.
// Usage: static const AnsiString caption = Ansi(u8"系统提示");
AnsiString Ansi(std::string_view utf8);
inline AnsiString Ansi(std::u8string_view utf8)
{
    return Ansi(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

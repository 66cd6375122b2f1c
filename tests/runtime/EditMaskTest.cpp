// Edit masks: loading a value through a mask, reading it back, the first
// unfilled position, and formatting a text the way FORMATTEXT does. Masks
// come from outside (columns, fields, report scripts), so the cases include
// the ones that must never read past the mask or split a character.
#include "runtime/EditMask.h"
#include "runtime/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(EditMask, LoadReadBackAndCheck)
{
    TFormatSettings fs = FormatSettings();
    fs.DateSeparator = '/';
    ScopedFormatSettings pinned(fs);
    struct Case {
        const char* mask;
        const char* value;
        const char* masked;
        const char* back;
        int missing;
    };
    const Case cases[] = {
        {"000-0000;1;_", "123-4567", "123-4567", "123-4567", -1},
        {"000-0000;0;_", "1234567", "123-4567", "1234567", -1},
        {"000-0000;0;_", "12", "12_-____", "12_____", 2},
        {"99/99/0000;1; ", "12/31/2026", "12/31/2026", "12/31/2026", -1},
        {">LL<ll;0;_", "abCD", "ABcd", "ABcd", -1},
        {"!9999;0;_", "12", "__12", "__12", -1},  // filled from the right
        {"CCC;1;*", "", "***", "", 0},              // all blank reads back empty
        {"CCCC\\", "abcd", "abcd", "abcd", -1},     // a trailing "\" escapes nothing
        {"[00]\\[", "[12][", "[12][", "[12][", -1}, // brackets are literals
        {"\\", "x", "", "", -1},
        {"", "free text", "", "", -1},
        {";", "x", "", "", -1},
    };
    for (const Case& c : cases) {
        TEditMask mask(c.mask);
        EXPECT_EQ(mask.Apply(c.value), c.masked) << c.mask;
        EXPECT_EQ(mask.ValueOf(c.masked), c.back) << c.mask;
        EXPECT_EQ(mask.FirstMissing(c.masked, false), c.missing) << c.mask;
    }
    // A double-byte literal and a double-byte character typed are one position each.
    TEditMask gbk(Ansi(u8"甲CC"));
    EXPECT_EQ(gbk.Positions().size(), 3u);
    EXPECT_EQ(gbk.Apply(Ansi(u8"甲乙a")), Ansi(u8"甲乙a"));
    EXPECT_EQ(gbk.Accept(1, Ansi(u8"丙")), Ansi(u8"丙"));
    EXPECT_EQ(gbk.Accept(0, "x"), "");  // never into a literal
    EXPECT_EQ(gbk.Accept(1, "\xbc"), "");  // nor half a character
    // A blank character that would start a double-byte one falls back to "_".
    EXPECT_EQ(TEditMask("CC;1;\xd2").EmptyText(), "__");
}

TEST(EditMask, FormattingATextAsTheReportLanguageDoes)
{
    // FORMATTEXT appends ";0; ": the value carries no literals, blanks show as
    // spaces. The report language's own tests cover the plain masks.
    struct Case {
        const char* why;
        std::string mask;
        std::string value;
        std::string text;
    };
    const Case cases[] = {
        {"\"!\" fills from the right", "!9999", "12", "  12"},
        {"\"_\" is a literal like any other", "000_000", "123456", "123_456"},
        {"a double-byte literal whose second byte looks like a mask character", Ansi(u8"碼000"), "123",
         Ansi(u8"碼123")},
        {"double-byte characters are letters", "LL-00", Ansi(u8"甲乙12"), Ansi(u8"甲乙-12")},
        {"half a double-byte character is no character", "CC", "a\xb4", "a "},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatMaskText(c.mask + ";0; ", c.value), c.text) << c.why;
}

}  // namespace

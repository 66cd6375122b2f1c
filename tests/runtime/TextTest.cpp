#include "runtime/AnsiString.h"

#include <QString>
#include <gtest/gtest.h>

TEST(Text, GbkAndUtf8RoundTrip)
{
    const std::string utf8 = "供应商 ABC-01：卷烟 50条/件";
    AnsiString gbk = Utf8ToAnsi(utf8);
    // Every Chinese character and the full-width colon take two bytes.
    EXPECT_EQ(gbk.size(), std::string("ABC-01 50/ ").size() + 2 * 8);
    EXPECT_EQ(AnsiToUtf8(gbk), utf8);
    EXPECT_EQ(QStringToAnsi(AnsiToQString(gbk)), gbk);
    EXPECT_EQ(AnsiToQString(gbk), QString::fromUtf8(utf8.c_str()));
    // "合计" in GBK
    EXPECT_EQ(Ansi(u8"合计"), "\xBA\xCF\xBC\xC6");
}

TEST(Text, InvalidBytesBecomeReplacements)
{
    // A lone lead byte at the end, a lead byte with an invalid trail, 0xFF.
    EXPECT_EQ(AnsiToUtf8("a\xBA"), "a\xEF\xBF\xBD");
    EXPECT_EQ(AnsiToUtf8("\xFF" "b"), "\xEF\xBF\xBD" "b");
    EXPECT_EQ(AnsiToQString("x\x81\x20y").size(), 4);  // replacement, blank, y
    // Invalid UTF-8 and characters GBK lacks become "?".
    EXPECT_EQ(Utf8ToAnsi("a\xC3(b"), "a?(b");
    EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80!"), "?!");  // an emoji
    EXPECT_EQ(Utf8ToAnsi("\xE4\xB8"), "??");           // truncated sequence
}

TEST(Text, CaseLeavesTrailBytesAlone)
{
    // "薄" is 0xB1 0xA1; "乙" 0xD2 0xD2; the GBK character 0x81 0x61 has the
    // trail byte 'a', which must not become 'A'.
    const AnsiString mixed = "abc\x81" "aXyz";
    EXPECT_EQ(UpperCase(mixed), "ABC\x81" "aXYZ");
    EXPECT_EQ(LowerCase(mixed), "abc\x81" "axyz");
    EXPECT_TRUE(SameText("qdb", "QDB"));
    EXPECT_FALSE(SameText("\x81" "a", "\x81" "A"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_EQ(Trim("  a b \t"), "a b");
}

TEST(Text, LeadBytes)
{
    EXPECT_TRUE(IsDoubleByteCodePage());
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0xFE));
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_FALSE(IsLeadByte('a'));
    AnsiString text = Ansi(u8"合a");
    EXPECT_EQ(CharLengthAt(text, 0), 2u);
    EXPECT_EQ(CharLengthAt(text, 2), 1u);
    EXPECT_EQ(CharLengthAt("\xBA", 0), 1u);  // lead byte at the end
}

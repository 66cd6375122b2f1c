#include "report/language/LexicalReaders.h"
#include "report/language/ParserError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ThrowsMessage;

namespace {

TEST(LexicalReaders, ReadIdentifier)
{
    struct Case {
        std::string text;
        size_t from;
        std::string identifier;
        size_t end;
    };
    const Case cases[] = {
        {"  abc+1", 0, "abc", 5},
        {"\x01\tTable1.Field, x", 0, "Table1.Field,", 15},
        {"a\"b c\"d e", 0, "a\"b c\"d", 7},  // a stop character inside double quotes belongs to it
        {"x[1]", 0, "x", 1},
        {"it's]#%", 0, "it's]#%", 7},
        {"   ", 0, "", 3},
        {"f(1)", 0, "f", 1},
    };
    for (const Case& c : cases) {
        size_t pos = c.from;
        EXPECT_EQ(ReadIdentifier(c.text, pos), c.identifier) << c.text;
        EXPECT_EQ(pos, c.end) << c.text;
    }
}

TEST(LexicalReaders, ReadQuotedString)
{
    size_t pos = 2;
    EXPECT_EQ(ReadQuotedString("x 'It''s' y", pos), "'It''s'");
    EXPECT_EQ(pos, 9u);

    bool closed = true;
    pos = 0;
    EXPECT_EQ(ReadQuotedString("'open", pos, &closed), "'open");
    EXPECT_FALSE(closed);
    EXPECT_EQ(pos, 5u);
}

TEST(LexicalReaders, ReadBracketed)
{
    struct Case {
        std::string text;
        std::string inner;
        size_t start, end;
        bool closed;
    };
    const Case cases[] = {
        {"[a[b]c] tail", "a[b]c", 0, 6, true},
        {"x [y] z", "y", 2, 4, true},
        {"['a]b'] tail", "'a]b'", 0, 6, true},   // brackets inside quotes do not count
        {"[\"x]\"]", "\"x]\"", 0, 5, true},
        {"[it's] more]", "it's] more", 0, 11, false},  // an apostrophe opens a quoted text
        {"[abc", "ab", 0, 3, false},             // unclosed: up to the last character
        {"abc", "", 0, 2, false},                // no bracket at all
        {"[\x81[x]", "\x81[x", 0, 4, true},       // a double-byte character whose trail byte is "["
    };
    for (const Case& c : cases) {
        size_t start = 0, end = 0;
        bool closed = !c.closed;
        EXPECT_EQ(ReadBracketed(c.text, start, end, &closed), c.inner) << c.text;
        EXPECT_EQ(start, c.start) << c.text;
        EXPECT_EQ(end, c.end) << c.text;
        EXPECT_EQ(closed, c.closed) << c.text;
    }
}

TEST(LexicalReaders, ReadArguments)
{
    size_t pos = 3;
    TrqArguments args = ReadArguments("SUM([qty], MasterData1) + 1", pos);
    EXPECT_EQ(args[0], "[qty]");
    EXPECT_EQ(args[1], " MasterData1");
    EXPECT_EQ(args[2], "");
    EXPECT_EQ(pos, 23u);

    pos = 1;
    args = ReadArguments("f(g(1, 2), 'a,)', [x)", pos);  // quotes and parentheses protect commas
    EXPECT_EQ(args[0], "g(1, 2)");
    EXPECT_EQ(args[1], " 'a,)'");
    EXPECT_EQ(args[2], " [x");

    pos = 1;
    args = ReadArguments("f([x,y])", pos);  // square brackets do not
    EXPECT_EQ(args[0], "[x");
    EXPECT_EQ(args[1], "y]");

    pos = 1;
    EXPECT_EQ(ReadArguments("f()", pos)[0], "");
    EXPECT_EQ(pos, 3u);

    pos = 1;
    EXPECT_THAT([&] { ReadArguments("f(1, (2)", pos); }, ThrowsMessage<EParserError>(""));
    pos = 1;
    EXPECT_THROW(ReadArguments("f(1,2,3,4)", pos), EParserError);
}

}  // namespace

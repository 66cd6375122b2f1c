// Breaking memo text into lines: word wrap, words wider than the memo,
// hyphenation, double-byte characters, line breaks, already broken text, and
// the heights the band engine measures with.
#include "../pages/PreparedFixtures.h"
#include "report/canvas/Canvas.h"
#include "report/draw/MemoLayout.h"
#include "report/draw/TextMeasure.h"
#include "runtime/StringList.h"

#include <gtest/gtest.h>

namespace {
constexpr char Mark = ParagraphMark;

std::shared_ptr<const TrqTextMeasure> arial10()
{
    TrqMemoFont font;
    return TextMeasure(MemoQFont(font, MemoFontPixels(font.Size), 0), 0, ScratchDevice());
}

std::vector<AnsiString> wrap(std::string_view line, int width, bool wordBreak = false)
{
    std::vector<AnsiString> out;
    WrapLine(line, width, *arial10(), wordBreak, out);
    return out;
}

AnsiString joined(const std::vector<AnsiString>& lines)
{
    AnsiString all;
    for (const AnsiString& line : lines) all += line;
    return all;
}

class CodePage {
public:
    explicit CodePage(const char* name) : saved_(AnsiCodePage()) { SetAnsiCodePage(name); }
    ~CodePage() { SetAnsiCodePage(saved_); }

private:
    std::string saved_;
};
}  // namespace

TEST(MemoLayout, WordWrapBreaksAtSpacesAndInsideWordsWiderThanTheMemo)
{
    auto m = arial10();
    const int both = m->Width("alpha beta");
    EXPECT_EQ(wrap("alpha beta", both), (std::vector<AnsiString>{AnsiString("alpha beta") + Mark}));
    // One word a line when the two do not fit together.
    EXPECT_EQ(wrap("alpha beta", both - 1), (std::vector<AnsiString>{"alpha", AnsiString("beta") + Mark}));
    EXPECT_EQ(wrap("alpha beta gamma", m->Width("alpha beta")),
              (std::vector<AnsiString>{"alpha beta", AnsiString("gamma") + Mark}));

    // A word wider than the memo breaks inside; every piece fits and nothing is lost.
    const std::string word = "abcdefghijklmnopqrstuvwxyz";
    const int width = m->Width("abcdefg");
    std::vector<AnsiString> pieces = wrap(word, width);
    ASSERT_GT(pieces.size(), 3u);
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
        EXPECT_LE(m->Width(pieces[i]), width) << pieces[i];
        // ... and breaks as late as it can.
        EXPECT_GT(m->Width(pieces[i] + pieces[i + 1][0]), width) << pieces[i];
    }
    EXPECT_EQ(joined(pieces), word + Mark);
    // A memo narrower than one character still takes a character a line.
    EXPECT_EQ(wrap("abc", 1), (std::vector<AnsiString>{"a", "b", AnsiString("c") + Mark}));
}

TEST(MemoLayout, LineBreaksInsideALineEndParagraphs)
{
    EXPECT_EQ(wrap("one\r\ntwo", 1000), (std::vector<AnsiString>{AnsiString("one") + Mark, AnsiString("two") + Mark}));
    EXPECT_EQ(wrap("one\n\ntwo", 1000), (std::vector<AnsiString>{AnsiString("one") + Mark, AnsiString("two") + Mark}));
    // Line breaks at the end end the wrapping: no empty line follows.
    EXPECT_EQ(wrap("one\r\n", 1000), (std::vector<AnsiString>{AnsiString("one") + Mark}));
}

TEST(MemoLayout, DoubleByteCharactersAreNeverSplit)
{
    CodePage gbk("CP936");
    const AnsiString text = Ansi(u8"商品名称中华香烟数量五十条");
    auto m = arial10();
    const int width = m->Width(Ansi(u8"商品名")) + 3;
    std::vector<AnsiString> lines = wrap(text, width);
    ASSERT_GE(lines.size(), 4u);
    for (const AnsiString& line : lines) {
        AnsiString bare = line.back() == Mark ? line.substr(0, line.size() - 1) : line;
        EXPECT_EQ(bare.size() % 2, 0u) << "a line ends inside a character";
        EXPECT_EQ(AnsiToQString(bare).indexOf(QChar(0xFFFD)), -1);
        EXPECT_LE(m->Width(bare), width);
    }
    EXPECT_EQ(joined(lines), text + Mark);
}

TEST(MemoLayout, HyphenationPointsFollowTheVowelRule)
{
    CodePage cyrillic("CP1251");
    struct Case {
        const char8_t* word;
        std::vector<size_t> points;
    } cases[] = {
        {u8"МОЛОКО", {2, 4}},  // vowel, consonant, vowel: after the first vowel
        {u8"КАРТА", {3}},      // two consonants before a vowel: between them
        {u8"ПОДЪЕЗД", {}},     // a hard sign does not start a syllable
        {u8"ДОМ", {}},         // three letters or less: never
        {u8"АИСТЫ", {3}},      // never after the first letter; not after a vowel before two consonants
        {u8"ЗАОЧНО", {2, 4}},  // a vowel before a vowel
    };
    for (const Case& c : cases)
        EXPECT_EQ(HyphenationPoints(Ansi(c.word)), c.points) << reinterpret_cast<const char*>(c.word);
}

TEST(MemoLayout, WordBreakHyphenatesALongRussianWord)
{
    CodePage cyrillic("CP1251");
    const AnsiString word = Ansi(u8"молоко");  // points after МО and МОЛО, found in upper case
    auto m = arial10();
    const int width = m->Width(Ansi(u8"моло-")) + 1;
    ASSERT_LT(width, m->Width(word));
    EXPECT_EQ(wrap(word, width, true), (std::vector<AnsiString>{Ansi(u8"моло-"), Ansi(u8"ко") + Mark}));
    // Without WordBreak the word breaks where the width runs out, without a hyphen.
    std::vector<AnsiString> plain = wrap(word, width, false);
    EXPECT_EQ(plain.front().find('-'), AnsiString::npos);
    EXPECT_EQ(joined(plain), word + Mark);
    // A hyphenated part takes the words before it on the line.
    EXPECT_EQ(wrap(Ansi(u8"да молоко"), m->Width(Ansi(u8"да мо-")) + 1, true),
              (std::vector<AnsiString>{Ansi(u8"да мо-"), Ansi(u8"локо") + Mark}));
}

TEST(MemoLayout, LayoutOfAMemo)
{
    auto memo = fixtures::Memo(0, 0, 0, 100, {"alpha beta", "gamma"});
    memo->Width = arial10()->Width("gamma") + 2 * memo->GapX + 2;
    TStringList text;
    text.Add("alpha beta");
    text.Add("gamma");

    TrqMemoLayout wrapped = LayoutMemo(*memo, text);
    EXPECT_EQ(wrapped.Lines, (std::vector<AnsiString>{"alpha", AnsiString("beta") + Mark, AnsiString("gamma") + Mark}));
    // 10 points at 96 pixels per inch is 13 pixels; LineSpacing 2 and GapY 1.
    EXPECT_EQ(wrapped.LineHeight, 15);
    EXPECT_EQ(wrapped.TextHeight, 2 * 1 + 3 * 15);

    memo->SetFlag(flWordWrap, false);
    EXPECT_EQ(LayoutMemo(*memo, text).Lines,
              (std::vector<AnsiString>{AnsiString("alpha beta") + Mark, AnsiString("gamma") + Mark}));

    // Text broken before (a memo split between pages) is taken as it is; the
    // mark alone on the last line only says so.
    TStringList broken;
    broken.Add("alpha beta gamma delta");
    broken.Add(AnsiString("end") + Mark);
    broken.Add(std::string(1, Mark));
    memo->SetFlag(flWordWrap, true);
    EXPECT_EQ(LayoutMemo(*memo, broken).Lines, (std::vector<AnsiString>{"alpha beta gamma delta", AnsiString("end") + Mark}));

    // Turned text wraps in the memo's height and spaces its lines by GapX.
    memo->Alignment = rqtaVertical;
    memo->Width = 100;
    memo->Height = arial10()->Width("gamma") + 2 * memo->GapY + 2;
    memo->GapX = 4;
    TrqMemoLayout turned = LayoutMemo(*memo, text);
    EXPECT_EQ(turned.Lines.size(), 3u);
    EXPECT_EQ(turned.TextHeight, 2 * 4 + 3 * 15);
}

TEST(MemoLayout, HeightsForBandStretching)
{
    auto memo = fixtures::Memo(0, 0, 200, 50, {"one", "two"});
    // The working text, laid out: 2 gaps and two lines of 15.
    EXPECT_EQ(memo->MeasureHeight(), 2 + 2 * 15);
    memo->MemoResult.Add("three");
    EXPECT_EQ(memo->MeasureHeight(), 2 + 3 * 15);
    // One line with frame and gaps: 2 x 1 + 2 + 13 + 2 x 1.
    EXPECT_EQ(memo->MinimumHeight(), 19);
    // What is left below the last whole line: 2 + 2 + (50 - 2 - 2) mod 15.
    EXPECT_EQ(memo->RemainderHeight(), 5);
    memo->Height = 49;
    EXPECT_EQ(memo->RemainderHeight(), 4 + 0);
    memo->LineSpacing = -13;  // a line height of 0 leaves only frame and gaps
    EXPECT_EQ(memo->RemainderHeight(), 4);

    auto line = fixtures::Line(0, 0, 100, 30);
    EXPECT_EQ(line->MeasureHeight(), 30);
    EXPECT_EQ(line->MinimumHeight(), 1);
    EXPECT_EQ(line->RemainderHeight(), 0);
}

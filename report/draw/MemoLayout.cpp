#include "report/draw/MemoLayout.h"

#include "report/canvas/Canvas.h"
#include "report/canvas/Rect.h"
#include "report/draw/DrawState.h"
#include "report/draw/TextMeasure.h"
#include "report/model/MemoView.h"
#include "runtime/StringList.h"

#include <algorithm>
#include <cstdint>

namespace {
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

bool isWordEnd(char c) { return c == ' ' || c == ',' || c == '-' || c == '.' || isLineBreak(c); }

// The hyphenation classes are bytes of the Cyrillic code page.
bool isVowel(unsigned char c)
{
    switch (c) {
    case 0xA8: case 0xC0: case 0xC5: case 0xC8: case 0xCE:
    case 0xD3: case 0xDB: case 0xDD: case 0xDE: case 0xDF: return true;
    default: return false;
    }
}

bool isSign(unsigned char c) { return c == 0xDA || c == 0xDC; }

// Upper case for the hyphenation classes: ASCII, and in a single-byte code page
// the letters E0-FF and B8 of its upper half.
AnsiString hyphenationUpper(std::string_view word)
{
    AnsiString upper = UpperCase(word);
    if (IsDoubleByteCodePage()) return upper;
    for (char& ch : upper) {
        auto c = static_cast<unsigned char>(ch);
        if (c >= 0xE0) ch = static_cast<char>(c - 0x20);
        else if (c == 0xB8) ch = static_cast<char>(0xA8);
    }
    return upper;
}

size_t characterCount(std::string_view text)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) ++count;
    return count;
}

bool isCharBoundary(std::string_view text, size_t pos)
{
    size_t i = 0;
    while (i < pos) i += CharLengthAt(text, i);
    return i == pos;
}

// Breaks one line of text without line breaks... or with them: see WrapLine.
class LineWrapper {
public:
    LineWrapper(std::string_view s, int width, const TrqTextMeasure& m, bool wordBreak, std::vector<AnsiString>& out)
        : s_(s), width_(width), m_(m), wordBreak_(wordBreak), out_(out)
    {
    }

    void Run()
    {
        const size_t n = s_.size();
        size_t i = 0;
        while (i < n) {
            if (isLineBreak(s_[i])) {
                out_.push_back(AnsiString(s_.substr(start_, i - start_)) + ParagraphMark);
                while (i < n && isLineBreak(s_[i])) ++i;
                restartAt(i);
                if (i >= n) return;  // the line ended with line breaks
                continue;
            }
            size_t length = CharLengthAt(s_, i);
            if (s_[i] == ' ') {
                brk_ = i;
            } else if (i > start_ && RoundToInt(run_ + m_.Advance(s_, i, length)) > width_) {
                // The character is looked at again at the start of the next
                // line, where it stays even when it alone is too wide.
                i = std::max(i, breakAt(i));
                continue;
            }
            run_ += m_.Advance(s_, i, length);
            i += length;
        }
        out_.push_back(AnsiString(s_.substr(start_)) + ParagraphMark);
    }

private:
    // The text from the start to the character at i is too wide: ends the
    // output line and returns where the next one starts.
    size_t breakAt(size_t i)
    {
        if (wordBreak_) {
            if (size_t cut = hyphenationCut(); cut != 0) {
                out_.push_back(AnsiString(s_.substr(start_, cut - start_)) + "-");
                return restartAt(cut);
            }
        }
        if (brk_ == start_) {
            // One word wider than the memo: break before this character.
            out_.push_back(AnsiString(s_.substr(start_, i - start_)));
            return restartAt(i);
        }
        // brk_ is a space: it is left out.
        out_.push_back(AnsiString(s_.substr(start_, brk_ - start_)));
        return restartAt(brk_ + 1);
    }

    // The end of the longest hyphenated part of the word after the break
    // position that fits with its "-"; 0 when none fits.
    size_t hyphenationCut() const
    {
        size_t wordStart = s_[brk_] == ' ' ? brk_ + 1 : brk_;
        size_t wordEnd = wordStart;
        while (wordEnd < s_.size() && !isWordEnd(s_[wordEnd])) ++wordEnd;
        std::vector<size_t> points = HyphenationPoints(hyphenationUpper(s_.substr(wordStart, wordEnd - wordStart)));
        const double hyphen = m_.Advance("-", 0, 1);
        for (auto p = points.rbegin(); p != points.rend(); ++p) {
            size_t cut = wordStart + *p;
            if (cut <= start_ || !isCharBoundary(s_.substr(start_), cut - start_)) continue;
            if (RoundToInt(m_.WidthF(s_.substr(start_, cut - start_)) + hyphen) <= width_) return cut;
        }
        return 0;
    }

    size_t restartAt(size_t pos)
    {
        start_ = brk_ = pos;
        run_ = 0;
        return pos;
    }

    std::string_view s_;
    int width_;
    const TrqTextMeasure& m_;
    bool wordBreak_;
    std::vector<AnsiString>& out_;
    size_t start_ = 0;
    size_t brk_ = 0;
    double run_ = 0;  // width of the text from start_ to the character being looked at
};
}  // namespace

int32_t MemoFontPixels(int32_t points) { return RoundToInt(points * 96.0 / 72.0); }

std::vector<size_t> HyphenationPoints(std::string_view w)
{
    std::vector<size_t> points;
    const size_t length = w.size();
    if (length <= 3) return points;
    auto at = [&](size_t i) { return static_cast<unsigned char>(w[i - 1]); };  // 1-based
    for (size_t i = 2; i + 2 <= length; ++i) {
        bool vowel = isVowel(at(i)), nextVowel = isVowel(at(i + 1)), afterVowel = isVowel(at(i + 2));
        if ((vowel && (nextVowel || afterVowel)) || (!vowel && !nextVowel && !isSign(at(i + 1)) && afterVowel))
            points.push_back(i);
    }
    return points;
}

void WrapLine(std::string_view line, int width, const TrqTextMeasure& measure, bool wordBreak,
              std::vector<AnsiString>& out)
{
    if (line.find_first_of("\r\n") == std::string_view::npos &&
        (characterCount(line) <= 1 || measure.Width(line) <= width)) {
        out.push_back(AnsiString(line) + ParagraphMark);
        return;
    }
    LineWrapper(line, width, measure, wordBreak, out).Run();
}

TrqMemoLayout LayoutMemo(const TrqMemoView& memo, const TStringList& text)
{
    TrqMemoLayout layout;
    // A damaged file may hold any numbers: the sums are made where they cannot overflow.
    auto fit = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    const int32_t fontPixels = MemoFontPixels(memo.Font.Size);
    layout.LineHeight = fit(int64_t(memo.LineSpacing) + fontPixels);
    const bool vertical = memo.Alignment & rqtaVertical;
    int64_t width = vertical ? int64_t(memo.Height) - 2 * int64_t(memo.GapY) : int64_t(memo.Width) - 2 * int64_t(memo.GapX);
    if (memo.Flag(flAutoWidth) && rqDrawState().Prepared()) width += 100;
    const int32_t gap = vertical ? memo.GapX : memo.GapY;

    int count = text.Count();
    bool broken = false;
    for (int i = 0; i < count && !broken; ++i) broken = text[i].find(ParagraphMark) != AnsiString::npos;
    // The mark alone on the last line only says that the text was broken.
    if (broken && count > 0 && text[count - 1] == std::string(1, ParagraphMark)) --count;

    auto measure = TextMeasure(MemoQFont(memo.Font, fontPixels, memo.CharSpacing), memo.CharSpacing, ScratchDevice());
    for (int i = 0; i < count; ++i) {
        if (broken) layout.Lines.push_back(text[i]);
        else if (memo.Flag(flWordWrap)) WrapLine(text[i], fit(width), *measure, memo.Flag(flWordBreak), layout.Lines);
        else layout.Lines.push_back(text[i] + ParagraphMark);
    }
    layout.TextHeight = RoundToInt(2.0 * gap + static_cast<double>(layout.Lines.size()) * layout.LineHeight);
    return layout;
}

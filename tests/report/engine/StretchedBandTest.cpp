// Stretched bands (grown to their memos, measured once per record) and bands
// that break across pages (their memos split line by line, every page making
// progress whatever blocks it).
#include "EngineTestBase.h"

#include "report/model/PictureView.h"

namespace {

constexpr int LineStep = 15;  // a 10 pt memo line: 13 pixels and a spacing of 2

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> lines;
    for (int n = 1; n <= count; ++n) lines.push_back("line " + std::to_string(n));
    return lines;
}

class StretchedBand : public EngineTest {
public:  // case tables build templates through lambdas
    // A memo that stretches with its text, at the top of its band.
    TrqMemoView& Stretching(const char* name, int left, int top, std::vector<std::string> lines, int width = 200)
    {
        TrqMemoView& memo = Memo(name, left, top, std::move(lines), width);
        memo.Flags = flStretched | flWordWrap;
        return memo;
    }
    // The lines a memo printed, part after part: a part holds laid-out lines
    // with end-of-paragraph marks, and a lone mark when none of them ends one.
    std::vector<std::string> PrintedLines(const std::string& name)
    {
        std::vector<std::string> lines;
        for (const std::string& text : Texts(name)) {
            size_t start = 0;
            for (;;) {
                const size_t bar = text.find('|', start);
                std::string line = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
                if (line != "\x01") {
                    if (!line.empty() && line.back() == '\x01') line.pop_back();
                    lines.push_back(line);
                }
                if (bar == std::string::npos) break;
                start = bar + 1;
            }
        }
        return lines;
    }
    // The views of that name as printed, page by page.
    std::vector<std::pair<int, PrintedView>> Printed(const std::string& name)
    {
        std::vector<std::pair<int, PrintedView>> found;
        const std::vector<PrintedPage> pages = Pages();
        for (size_t p = 0; p < pages.size(); ++p)
            for (const PrintedView& v : pages[p])
                if (v.name == name) found.emplace_back(static_cast<int>(p), v);
        return found;
    }
};

TEST_F(StretchedBand, GrowsToItsMemoAndPlacesBottomViewsAtItsBottom)
{
    Band(btMasterData, "MasterData1", 40, 20, "2").SetFlag(flStretched, true);
    Stretching("Long", 20, 40, {"one", "two", "three", "four", "five"});
    Memo("Bottom", 300, 40, {"end"}).BandAlign = baBottom;
    Memo("Fixed", 400, 40, {"a", "b", "c"});  // not stretched: keeps its height
    Band(btReportSummary, "Summary1", 80, 20);
    Memo("After", 20, 80, {"after"});
    ASSERT_TRUE(Prepare()) << Message();

    const int grown = 2 + 5 * LineStep;  // gaps and five lines
    const auto longs = Printed("Long"), bottoms = Printed("Bottom"), fixed = Printed("Fixed");
    ASSERT_EQ(longs.size(), 2u);
    ASSERT_EQ(bottoms.size(), 2u);
    for (int record = 0; record < 2; ++record) {
        const int y = Top() + record * grown;
        EXPECT_EQ(longs[record].second.top, y) << record;
        EXPECT_EQ(longs[record].second.height, grown) << record;
        EXPECT_EQ(bottoms[record].second.top, y + grown - 18) << "at the bottom of the grown band";
        EXPECT_EQ(fixed[record].second.height, 18);
    }
    EXPECT_EQ(Printed("After")[0].second.top, Top() + 2 * grown);
    EXPECT_EQ(View("Long").Height, 18) << "the template keeps its memo";
}

TEST_F(StretchedBand, MeasuresEachMemoOncePerRecord)
{
    // Forty records of 77 units break pages: the measure made before a break
    // is the text printed after it.
    Band(btMasterData, "MasterData1", 40, 20, "40").SetFlag(flStretched, true);
    Stretching("Long", 20, 40, {"[LINE#]", "two", "three", "four", "five"});
    Memo("Fixed", 300, 40, {"[LINE#]"});
    std::map<std::string, int> seen;
    report_->OnBeforePrint = [&](TStringList&, TrqView* view) { ++seen[view->Name]; };
    ASSERT_TRUE(Prepare()) << Message();

    ASSERT_GT(report_->EMFPages().Count(), 1);
    EXPECT_EQ(seen["Long"], 40);
    EXPECT_EQ(seen["Fixed"], 40);
    const std::vector<std::string> longs = Texts("Long");
    ASSERT_EQ(longs.size(), 40u);
    for (int n = 1; n <= 40; ++n) EXPECT_EQ(longs[n - 1], std::to_string(n) + "|two|three|four|five");
}

TEST_F(StretchedBand, BrokenBandSplitsItsMemoLineByLineAcrossPages)
{
    Band(btPageHeader, "PageHeader1", 10, 20);
    Memo("Header", 20, 10, {"header"});
    TrqBandView& band = Band(btMasterData, "MasterData1", 40, 20, "1");
    band.SetFlag(flStretched, true);
    band.SetFlag(flBandPageBreak, true);
    Stretching("Long", 20, 40, Numbered(150));
    Memo("Side", 300, 40, {"side"});
    Band(btReportSummary, "Summary1", 80, 20);
    Memo("End", 20, 80, {"end"});
    Band(btPageFooter, "PageFooter1", 1000, 20);
    Memo("PageNo", 20, 1000, {"[PAGE#]/[TOTALPAGES]"});
    report_->SetTwoPass(true);
    ASSERT_TRUE(Prepare()) << Message();

    // 150 lines need 2252 units: three pages, counted alike by both passes.
    EXPECT_EQ(Texts("PageNo"), (std::vector<std::string>{"1/3", "2/3", "3/3"}));
    EXPECT_EQ(PrintedLines("Long"), Numbered(150)) << "every line once, in order";
    const auto parts = Printed("Long");
    ASSERT_EQ(parts.size(), 3u);
    const int limit = Bottom() - 20;  // above the page footer
    for (size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(parts[i].first, static_cast<int>(i));
        EXPECT_LE(parts[i].second.top + parts[i].second.height, limit) << "part " << i;
    }
    EXPECT_EQ(parts[1].second.top, Top() + 20) << "the rest goes on below the page header";
    EXPECT_EQ(Texts("Side"), std::vector<std::string>{"side"});
    EXPECT_EQ(Texts("Header").size(), 3u);
    const auto end = Printed("End");
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(end[0].first, 2);
    EXPECT_GE(end[0].second.top, parts[2].second.top + parts[2].second.height) << "after the band";
}

TEST_F(StretchedBand, BlockedBrokenBandsPrintClippedAndGoOn)
{
    struct Case {
        const char* why;
        std::function<void(StretchedBand&)> make;  // puts "Blocker" into the band at 40
        int pages;  // the summary after the band comes on a page of its own
    };
    auto tallPicture = [](StretchedBand& t) {
        t.View("MasterData1").Height = 3000;
        auto picture = std::make_unique<TrqPictureView>();
        picture->Name = "Blocker";
        picture->Left = 20;
        picture->Top = 40;
        picture->Width = 100;
        picture->Height = 3000;
        t.Page().Add(std::move(picture));
    };
    const Case cases[] = {
        {"a picture taller than the page", tallPicture, 2},
        {"a picture taller than the page, after a title",
         [&](StretchedBand& t) {
             t.Band(btReportTitle, "Title1", 10, 20);
             tallPicture(t);
         },
         3},
        {"a text line taller than the page",
         [](StretchedBand& t) { t.Stretching("Blocker", 20, 40, {"first", "second"}).LineSpacing = 2000; }, 3},
        {"no free space under an oversized page header",
         [](StretchedBand& t) {
             t.Band(btPageHeader, "PageHeader1", 6000, 2000);
             t.Stretching("Blocker", 20, 40, Numbered(3));
         },
         4},
    };
    for (const Case& c : cases) {
        report_->Clear();
        report_->Pages().Add();
        Page().LeftMargin = Page().TopMargin = Page().RightMargin = Page().BottomMargin = Margin;
        TrqBandView& band = Band(btMasterData, "MasterData1", 40, 20, "1");
        band.SetFlag(flStretched, true);
        band.SetFlag(flBandPageBreak, true);
        c.make(*this);
        Band(btReportSummary, "Summary1", 5000, 20);
        Memo("Next", 20, 5000, {"next"});
        ASSERT_TRUE(Prepare()) << c.why << ": " << Message();
        EXPECT_EQ(report_->EMFPages().Count(), c.pages) << c.why;
        const auto blocker = Printed("Blocker");
        ASSERT_FALSE(blocker.empty()) << c.why;
        if (View("Blocker").ObjectKind == okPicture) {
            ASSERT_EQ(blocker.size(), 1u) << c.why;
            EXPECT_LE(blocker[0].second.top + blocker[0].second.height, Bottom()) << c.why << ": clipped";
        } else {
            std::vector<std::string> lines(View("Blocker").Memo.Count());
            for (size_t i = 0; i < lines.size(); ++i) lines[i] = View("Blocker").Memo[static_cast<int>(i)];
            EXPECT_EQ(PrintedLines("Blocker"), lines) << c.why;
        }
        EXPECT_EQ(Texts("Next"), std::vector<std::string>{"next"}) << c.why;
    }
}

}  // namespace

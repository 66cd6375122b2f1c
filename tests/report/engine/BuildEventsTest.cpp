// What a build tells its report as it goes (page, band and cross-tab column
// events), and the bands that print around the data: page headers and
// footers with their first- and last-page flags, the overlay, headers
// repeated on a new page, page column headers and footers, child bands of
// hidden bands.
#include "EngineTestBase.h"

#include "report/engine/Band.h"

namespace {

class BuildEvents : public EngineTest {
public:  // case tables change reports through lambdas
    // Seven records of their own, three to a page: three pages. An overlay,
    // a page header and a page footer that say their page.
    void ThreePages()
    {
        Band(btOverlay, "Overlay1", 500, 20);
        Memo("Overlay", 300, 500, {"ov"});
        Band(btPageHeader, "PageHeader1", 20, 20);
        Memo("Header", 20, 20, {"H[PAGE#]"});
        Band(btMasterData, "MasterData1", 40, 300, "7");
        Memo("Row", 20, 40, {"r[LINE#]"});
        Band(btPageFooter, "PageFooter1", 1000, 20);
        Memo("Footer", 20, 1000, {"F[PAGE#]"});
    }
    // The texts of the views of that name on each page.
    std::vector<std::vector<std::string>> PerPage(const std::string& name)
    {
        std::vector<std::vector<std::string>> pages;
        for (const PrintedPage& page : Pages()) {
            pages.emplace_back();
            for (const PrintedView& v : page)
                if (v.name == name) pages.back().push_back(v.text);
        }
        return pages;
    }
};

using PageTexts = std::vector<std::vector<std::string>>;

TEST_F(BuildEvents, EveryPageEndsOnceWhateverItsFooterAndHeaderAndFooterKeepTheirFlags)
{
    struct Case {
        const char* why;
        std::function<void(BuildEvents&)> change;
        PageTexts headers, footers;
    };
    const Case cases[] = {
        {"header and footer on every page", [](BuildEvents&) {}, {{"H1"}, {"H2"}, {"H3"}}, {{"F1"}, {"F2"}, {"F3"}}},
        {"no header on the first page",
         [](BuildEvents& t) { t.View("PageHeader1").SetFlag(flBandOnFirstPage, false); },
         {{}, {"H2"}, {"H3"}},
         {{"F1"}, {"F2"}, {"F3"}}},
        {"no footer on the first page",
         [](BuildEvents& t) { t.View("PageFooter1").SetFlag(flBandOnFirstPage, false); },
         {{"H1"}, {"H2"}, {"H3"}},
         {{}, {"F2"}, {"F3"}}},
        {"no footer on the last page",
         [](BuildEvents& t) { t.View("PageFooter1").SetFlag(flBandOnLastPage, false); },
         {{"H1"}, {"H2"}, {"H3"}},
         {{"F1"}, {"F2"}, {}}},
        {"no footer at all",
         [](BuildEvents& t) {
             t.Page().Delete(t.Page().Count() - 1);
             t.Page().Delete(t.Page().Count() - 1);
         },
         {{"H1"}, {"H2"}, {"H3"}},
         {{}, {}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        for (bool twoPass : {false, true}) {
            SCOPED_TRACE(twoPass ? "two passes" : "one pass");
            report_->Clear();
            report_->Pages().Add();
            Page().LeftMargin = Page().TopMargin = Page().RightMargin = Page().BottomMargin = Margin;
            ThreePages();
            c.change(*this);
            report_->SetTwoPass(twoPass);
            std::vector<int> ended;
            report_->OnEndPage = [&](int page) {
                EXPECT_LT(page, report_->EMFPages().Count()) << "a page that exists";
                ended.push_back(page);
            };
            ASSERT_TRUE(Prepare()) << Message();
            ASSERT_EQ(report_->EMFPages().Count(), 3);
            EXPECT_EQ(ended, twoPass ? (std::vector<int>{0, 1, 2, 0, 1, 2}) : (std::vector<int>{0, 1, 2}));
            EXPECT_EQ(PerPage("Header"), c.headers);
            EXPECT_EQ(PerPage("Footer"), c.footers);
            // The overlay comes first on every page, at its own place.
            for (const PrintedPage& page : Pages()) {
                EXPECT_EQ(page.front().text, "ov");
                EXPECT_EQ(page.front().top, 500);
            }
        }
    }
}

TEST_F(BuildEvents, BandEventsEncloseEachBand)
{
    Band(btReportTitle, "Title1", 20, 20);
    Memo("Title", 20, 20, {"title"});
    Band(btMasterData, "MasterData1", 50, 20, "2");
    Memo("Row", 20, 50, {"r[LINE#]"});
    Band(btReportSummary, "Summary1", 80, 20);
    Memo("Summary", 20, 80, {"summary"});
    std::vector<std::string> events;
    report_->OnBeginBand = [&](TrqBand* band) { events.push_back("+" + band->Name); };
    report_->OnEndBand = [&](TrqBand* band) { events.push_back("-" + band->Name); };
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(events, (std::vector<std::string>{"+Title1", "-Title1", "+MasterData1", "-MasterData1", "+MasterData1",
                                                "-MasterData1", "+Summary1", "-Summary1"}));
}

TEST_F(BuildEvents, ColumnEventsComeBeforeTheCellsAndMayNarrowThem)
{
    TrqBandView& cross = Band(btCrossData, "CrossData1", 0, 1000, "4");
    cross.Left = 80;
    cross.Width = 100;
    Band(btMasterData, "MasterData1", 40, 20, "2");
    Memo("Cell", 80, 40, {"[LINE#].[COLUMN#]"});
    std::vector<std::string> events;
    report_->OnBeginColumn = [&](TrqBand* band) { events.push_back("begin " + band->Name); };
    report_->OnPrintColumn = [&](int column, int& width) {
        events.push_back(std::to_string(column) + " of width " + std::to_string(width));
        if (column == 2) width = 50;
    };
    ASSERT_TRUE(Prepare()) << Message();
    std::vector<std::string> once{"begin MasterData1", "1 of width 100", "2 of width 100", "3 of width 100",
                                  "4 of width 100"};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(events, twice);
    std::vector<std::pair<std::string, int>> cells;
    const std::vector<PrintedPage> pages = Pages();
    for (const PrintedView& v : pages[0]) cells.emplace_back(v.text, v.left);
    EXPECT_EQ(cells, (std::vector<std::pair<std::string, int>>{
                         {"1.1", 80}, {"1.2", 180}, {"1.3", 230}, {"1.4", 330},  // the second column is 50 wide
                         {"2.1", 80}, {"2.2", 180}, {"2.3", 230}, {"2.4", 330}}));
}

TEST_F(BuildEvents, HeadersRepeatedOnANewPageKeepTheirGroupsTotals)
{
    // Groups of six rows, four rows to a page: each group goes on over a page break.
    Numbers(12);
    Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
    Band(btGroupHeader, "Group1", 20, 20, "[Q.\"G1\"]").SetFlag(flBandRepeatHeader, true);
    Memo("Group", 20, 20, {"G[Q.\"G1\"]"});
    Band(btMasterHeader, "MasterHeader1", 50, 20).SetFlag(flBandRepeatHeader, true);
    Memo("Head", 20, 50, {"head"});
    Band(btMasterData, "MasterData1", 80, 200, "Rows");
    Memo("Row", 20, 80, {"r[Q.\"N\"]"});
    Band(btGroupFooter, "GroupFooter1", 300, 20);
    Memo("Sum", 20, 300, {"sum [SUM([Q.\"V\"])]"});
    ASSERT_TRUE(Prepare()) << Message();
    const std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(TextsOf(pages[0]), (std::vector<std::string>{"G0", "head", "r1", "r2", "r3", "r4"}));
    EXPECT_EQ(TextsOf(pages[1]), (std::vector<std::string>{"G0", "head", "r5", "r6", "sum 21", "G1", "r7", "r8"}));
    EXPECT_EQ(TextsOf(pages[2]), (std::vector<std::string>{"G1", "head", "r9", "r10", "r11", "r12", "sum 57"}));
}

TEST_F(BuildEvents, PageColumnsHaveTheirHeadersAndFooters)
{
    Page().Columns = 2;
    Page().ColumnGap = 10;
    Band(btColumnHeader, "ColumnHeader1", 20, 20);
    Memo("ColumnHeader", 20, 20, {"ch"});
    Band(btMasterData, "MasterData1", 50, 300, "12");
    Memo("Row", 20, 50, {"r[LINE#]"});
    Band(btColumnFooter, "ColumnFooter1", 400, 20);
    Memo("ColumnFooter", 20, 400, {"cf"});
    ASSERT_TRUE(Prepare()) << Message();
    // Three rows to a column, two columns to a page.
    const int second = 20 + (Page().PrnInfo.PaperWidthUnits - 2 * Margin - 10) / 2 + 10;
    using Placed = std::vector<std::pair<std::string, int>>;
    auto placed = [](const PrintedPage& page) {
        Placed texts;
        for (const PrintedView& v : page) texts.emplace_back(v.text, v.left);
        return texts;
    };
    const std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(placed(pages[0]), (Placed{{"ch", 20}, {"r1", 20}, {"r2", 20}, {"r3", 20}, {"cf", 20},
                                        {"ch", second}, {"r4", second}, {"r5", second}, {"r6", second},
                                        {"cf", second}}));
    EXPECT_EQ(placed(pages[1]), (Placed{{"ch", 20}, {"r7", 20}, {"r8", 20}, {"r9", 20}, {"cf", 20},
                                        {"ch", second}, {"r10", second}, {"r11", second}, {"r12", second},
                                        {"cf", second}}));
}

TEST_F(BuildEvents, AHiddenBandsChildPrintsOnlyWhenAsked)
{
    for (bool printChild : {false, true}) {
        SCOPED_TRACE(printChild ? "PrintChildIfInvisible" : "without");
        report_->Pages()[0]->Clear();
        TrqBandView& data = Band(btMasterData, "MasterData1", 40, 20, "3");
        data.ChildBand = "Child1";
        data.SetFlag(flBandPrintChildIfInvisible, printChild);
        Script(data, {"if [LINE#] = 2 then Visible := False else Visible := True"});
        Memo("Row", 20, 40, {"a[LINE#]"});
        Band(btChild, "Child1", 70, 20);
        Memo("Child", 20, 70, {"c[CURRENT#]"});  // a child counts no lines of its own
        ASSERT_TRUE(Prepare()) << Message();
        EXPECT_EQ(TextsOf(Pages()[0]), printChild ? (std::vector<std::string>{"a1", "c1", "c2", "a3", "c3"})
                                                  : (std::vector<std::string>{"a1", "c1", "a3", "c3"}));
    }
}

}  // namespace

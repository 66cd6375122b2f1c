// Band columns (records side by side, as labels print) and blank rows that
// fill the last page (AutoAppendBlank).
#include "EngineTestBase.h"

namespace {

class BandColumns : public EngineTest {
protected:
    // A data band over table T, `height` high, its record number in "Row".
    TrqBandView& Rows(int count, int height, const char* text = "[Q.\"N\"]")
    {
        Numbers(count);
        Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
        TrqBandView& band = Band(btMasterData, "MasterData1", 40, height, "Rows");
        Memo("Row", 20, 40, {text});
        return band;
    }
};

TEST_F(BandColumns, RecordsFillColumnsLeftToRightThenPages)
{
    TrqBandView& band = Rows(20, 300);
    band.Columns = 3;
    band.ColumnWidth = 200;
    band.ColumnGap = 20;
    Band(btMasterFooter, "MasterFooter1", 400, 20);
    Memo("Footer", 20, 400, {"[COUNT(MasterData1)] labels"});
    ASSERT_TRUE(Prepare()) << Message();

    // Three rows of three labels a page.
    const int rowsPerPage = (Bottom() - Top()) / 300;
    ASSERT_EQ(rowsPerPage, 3);
    const std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 3u);
    int n = 0;
    for (size_t p = 0; p < pages.size(); ++p)
        for (const PrintedView& v : pages[p]) {
            if (v.name != "Row") continue;
            const int column = n % 3, row = (n % 9) / 3;
            EXPECT_EQ(v.text, std::to_string(n + 1));
            EXPECT_EQ(static_cast<int>(p), n / 9) << "record " << n + 1;
            EXPECT_EQ(v.left, 20 + column * 220) << "record " << n + 1;
            EXPECT_EQ(v.top, Top() + row * 300) << "record " << n + 1;
            ++n;
        }
    EXPECT_EQ(n, 20);
    // The unfinished last row is closed before the footer prints below it.
    const PrintedView& footer = pages[2].back();
    EXPECT_EQ(footer.text, "20 labels");
    EXPECT_EQ(footer.left, 20);
    EXPECT_EQ(footer.top, Top() + 300);
}

TEST_F(BandColumns, BlankRowsFillTheLastPage)
{
    Rows(20, 20, "[LINE#] [Q.\"N\"]").SetFlag(flBandAutoAppendBlank, true);
    Band(btMasterFooter, "MasterFooter1", 80, 20);
    Memo("Footer", 20, 80, {"total [SUM([Q.\"V\"])]"});
    ASSERT_TRUE(Prepare()) << Message();

    const std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<std::string> rows = Texts("Row");
    ASSERT_GT(rows.size(), 20u) << "no blank rows";
    for (size_t n = 1; n <= rows.size(); ++n)
        EXPECT_EQ(rows[n - 1], n <= 20 ? std::to_string(n) + " " + std::to_string(n) : std::to_string(n) + " ")
            << "blank rows show only what holds #";
    EXPECT_EQ(Texts("Footer"), std::vector<std::string>{"total 210"}) << "blank rows add nothing";
    // The rows run on without a gap down to the footer, and the footer ends the
    // page: one blank row more would have pushed it off.
    int row = 0;
    for (const PrintedView& v : pages[0]) {
        if (v.name == "Row") {
            EXPECT_EQ(v.top, Top() + 20 * row++) << v.text;
        }
    }
    const PrintedView& footer = pages[0].back();
    ASSERT_EQ(footer.name, "Footer");
    EXPECT_EQ(footer.top, Top() + 20 * row);
    EXPECT_LE(footer.top + 20, Bottom());
    EXPECT_GT(footer.top + 20 + 20, Bottom());
}

TEST_F(BandColumns, BlankRowsEndWhenTheyDoNotMoveDown)
{
    struct Case {
        const char* why;
        std::function<void(BandColumns&)> change;
        size_t rows;  // printed: the records, and blank rows up to the first that did not move
    };
    const Case cases[] = {
        {"a band of no height", [](BandColumns& t) { t.View("MasterData1").Height = 0; }, 4},
        {"a band of no height in three band columns",
         [](BandColumns& t) {
             t.View("MasterData1").Height = 0;
             static_cast<TrqBandView&>(t.View("MasterData1")).Columns = 3;
         },
         6},
        {"a band its script hides",
         [](BandColumns& t) { t.Script(t.View("MasterData1"), {"if [LINE#] > 3 then Visible := False"}); }, 3},
    };
    Rows(3, 20).SetFlag(flBandAutoAppendBlank, true);
    for (const Case& c : cases) {
        report_->Clear();
        report_->Pages().Add();
        Page().LeftMargin = Page().TopMargin = Page().RightMargin = Page().BottomMargin = Margin;
        Band(btMasterData, "MasterData1", 40, 20, "Rows").SetFlag(flBandAutoAppendBlank, true);
        Memo("Row", 20, 40, {"[LINE#]"});
        c.change(*this);
        ASSERT_TRUE(Prepare()) << c.why << ": " << Message();
        EXPECT_EQ(Texts("Row").size(), c.rows) << c.why;
    }
}

}  // namespace

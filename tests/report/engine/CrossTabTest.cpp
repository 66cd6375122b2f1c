// Cross-tab cells: a row of cells per record of the cross data band's
// dataset, continued on the next page when the row is wider than the page.
#include "EngineTestBase.h"

namespace {

class CrossTab : public EngineTest {
protected:
    // Rows: table T (N = 1..rows); columns: table C (K = 1..columns). A page
    // header; the master data band's row head lies in the cross header (20,
    // 60 wide), its cell in the cross data band (80, 100 wide).
    void Layout(int rows, int columns)
    {
        Numbers(rows);
        Exec("CREATE TABLE C (K INTEGER)");
        for (int k = 1; k <= columns; ++k) Exec("INSERT INTO C VALUES (" + std::to_string(k) + ")");
        Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
        Dataset("Cols", Query("QC", "SELECT * FROM C ORDER BY K"));
        Band(btPageHeader, "PageHeader1", 10, 20);
        Memo("Header", 20, 10, {"header"});
        TrqBandView& head = Band(btCrossHeader, "CrossHeader1", 0, 1000);
        head.Left = 20;
        head.Width = 60;
        TrqBandView& data = Band(btCrossData, "CrossData1", 0, 1000, "Cols");
        data.Left = 80;
        data.Width = 100;
        Band(btMasterData, "MasterData1", 40, 20, "Rows");
        Memo("RowHead", 20, 40, {"row [Q.\"N\"]"}, 60);
        Memo("Cell", 80, 40, {"[COLUMN#]:[QC.\"K\"]x[Q.\"N\"]"}, 100);
    }
};

TEST_F(CrossTab, RowsWiderThanThePageGoOnOnTheNextPage)
{
    Layout(3, 12);
    View("CrossHeader1").SetFlag(flBandRepeatHeader, true);
    ASSERT_TRUE(Prepare()) << Message();

    // Six cells of 100 fit right of the row head (80 + 600 <= the right margin).
    const int right = Page().PrnInfo.PaperWidthUnits - Margin;
    ASSERT_LE(80 + 600, right);
    ASSERT_GT(80 + 700, right);
    const std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 2u);
    for (int p = 0; p < 2; ++p) {
        std::vector<std::string> expected{"header"};
        for (int n = 1; n <= 3; ++n) {
            expected.push_back("row " + std::to_string(n));  // repeated on the page to the right
            for (int k = 6 * p + 1; k <= 6 * p + 6; ++k)
                expected.push_back(std::to_string(k) + ":" + std::to_string(k) + "x" + std::to_string(n));
        }
        EXPECT_EQ(TextsOf(pages[p]), expected) << "page " << p + 1;
        // Every row stands at the same height on both pages.
        for (const PrintedView& v : pages[p]) {
            if (v.name == "Header") continue;
            const int n = std::stoi(v.text.substr(v.text.find_first_of(" x") + 1));
            EXPECT_EQ(v.top, Top() + 20 + (n - 1) * 20) << "page " << p + 1 << ": " << v.text;
            if (v.name == "RowHead") {
                EXPECT_EQ(v.left, 20);
            } else {
                const int k = std::stoi(v.text.substr(0, v.text.find(':')));
                EXPECT_EQ(v.left, 80 + (k - 1 - 6 * p) * 100) << v.text;
            }
        }
    }

    // Without RepeatHeader the row goes on at the left margin with its cells only.
    View("CrossHeader1").SetFlag(flBandRepeatHeader, false);
    ASSERT_TRUE(Prepare()) << Message();
    const std::vector<PrintedPage> plain = Pages();
    ASSERT_EQ(plain.size(), 2u);
    for (const PrintedView& v : plain[1]) {
        EXPECT_NE(v.name, "RowHead");
        if (v.text.rfind("7:", 0) == 0) {
            EXPECT_EQ(v.left, Margin);
        }
    }
}

TEST_F(CrossTab, RowsThatRunOffThePageVerticallyKeepTheirPagesApart)
{
    // Sixty rows: the first page and its right-hand page, then the next pair.
    Layout(60, 8);
    ASSERT_TRUE(Prepare()) << Message();
    const std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 4u);
    auto rowsOn = [&](int p, const char* name) {
        int count = 0;
        for (const PrintedView& v : pages[p]) count += v.name == name;
        return count;
    };
    // The first page takes rows below its header for as long as they fit: the
    // last ends above the bottom, and one more would not.
    const int first = rowsOn(0, "RowHead");
    ASSERT_GT(first, 0);
    int lastTop = 0;
    for (const PrintedView& v : pages[0])
        if (v.name == "RowHead") {
            EXPECT_EQ(v.text, "row " + std::to_string((v.top - Top() - 20) / 20 + 1)) << "rows in order, no gap";
            lastTop = std::max(lastTop, v.top);
        }
    EXPECT_EQ(lastTop, Top() + 20 * first);
    EXPECT_LE(lastTop + 20, Bottom());
    EXPECT_GT(lastTop + 20 + 20, Bottom());
    // Its page to the right carries the same rows' last two cells; the next
    // pair of pages the rows that are left.
    EXPECT_EQ(rowsOn(0, "Cell"), first * 6);
    EXPECT_EQ(rowsOn(1, "Cell"), first * 2);
    EXPECT_EQ(rowsOn(2, "RowHead"), 60 - first);
    EXPECT_EQ(Texts("RowHead")[first], "row " + std::to_string(first + 1));
    EXPECT_EQ(rowsOn(3, "Cell"), (60 - first) * 2);
    EXPECT_EQ(rowsOn(3, "Header"), 1);
}

TEST_F(CrossTab, ACellWiderThanThePagePrintsOnePerPage)
{
    Layout(1, 3);
    View("CrossData1").Width = 2000;
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(Texts("Cell"), (std::vector<std::string>{"1:1x1", "2:2x1", "3:3x1"}));
    // The row head, then each cell on a page of its own.
    EXPECT_EQ(report_->EMFPages().Count(), 4);
}

}  // namespace

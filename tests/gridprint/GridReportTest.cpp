// A grid printed as it is shown: the captions at the top of every page, the
// rows in order with their texts and alignments, the footer row once after
// the last row, page numbers; columns wider than the paper continued on the
// pages to the right with the repeated columns leading, or fitted to the page.
#include "GridPrintFixture.h"

#include "gridprint/PrintedColumns.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

namespace {

using ::testing::ElementsAreArray;

bool IsCode(const std::string& text) { return std::regex_match(text, std::regex("C[0-9]{3}")); }

// One printed row: its items sorted from left to right.
using Row = std::vector<TrqTextItem>;

// The rows of a page that start with a row code, top to bottom.
std::vector<Row> RowsOf(const std::vector<TrqTextItem>& items)
{
    std::map<int32_t, Row> byTop;
    for (const TrqTextItem& item : items) byTop[item.Box.Top].push_back(item);
    std::vector<Row> rows;
    for (auto& [top, row] : byTop) {
        std::sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.Box.Left < b.Box.Left; });
        if (IsCode(AnsiToUtf8(row.front().Text))) rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> CodesOf(const std::vector<Row>& rows)
{
    std::vector<std::string> codes;
    for (const Row& row : rows) codes.push_back(AnsiToUtf8(row.front().Text));
    return codes;
}

std::vector<std::string> Captions(const std::vector<std::string>& texts)
{
    std::vector<std::string> captions;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(captions),
                 [](const std::string& t) { return t.rfind("Col ", 0) == 0; });
    return captions;
}

std::vector<std::string> AllCodes(int count)
{
    std::vector<std::string> codes;
    for (int n = 1; n <= count; ++n) codes.push_back(GridPrintTest::Code(n));
    return codes;
}

int Count(const std::vector<std::string>& texts, const std::string& text)
{
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

const std::vector<std::string> AllCaptions = {"Col CODE", "Col NAME", "Col QTY", "Col PRICE", "Col AMOUNT", "Col NOTE"};

TEST_F(GridPrintTest, EveryRowOnceInOrderUnderTheCaptionsOfEveryPageAndTheFooterAfterTheLast)
{
    // A cell text with brackets is printed as it is, never evaluated.
    InsertRows(120, "[PAGE#] & 'x'");
    MakeGrid();
    TqvGridPrintOptions options;
    options.Title = "Article list";
    Prepare(options);

    const int pages = PageCount();
    ASSERT_GE(pages, 2);
    std::vector<std::string> codes;
    for (int page = 0; page < pages; ++page) {
        SCOPED_TRACE("page " + std::to_string(page + 1));
        const std::vector<TrqTextItem> items = Items(page);
        const std::vector<std::string> texts = Texts(page);
        EXPECT_THAT(Captions(texts), ElementsAreArray(AllCaptions));
        EXPECT_EQ(Count(texts, "Article list"), page == 0 ? 1 : 0);
        EXPECT_EQ(Count(texts, "Page " + std::to_string(page + 1)), 1);

        const std::vector<Row> rows = RowsOf(items);
        ASSERT_GE(rows.size(), 2u);
        const std::vector<std::string> pageCodes = CodesOf(rows);
        codes.insert(codes.end(), pageCodes.begin(), pageCodes.end());

        // Below the last row: the footer row on the last page, nothing on the others.
        const int32_t rowHeight = rows[1].front().Box.Top - rows[0].front().Box.Top;
        const int32_t lastBottom = rows.back().front().Box.Bottom;
        std::vector<std::string> below;
        int32_t pageNumberTop = 0;
        for (const TrqTextItem& item : items) {
            if (item.Box.Top < lastBottom) continue;
            if (AnsiToUtf8(item.Text).rfind("Page ", 0) == 0) pageNumberTop = item.Box.Top;
            else below.push_back(AnsiToUtf8(item.Text));
        }
        if (page + 1 < pages) {
            EXPECT_THAT(below, ElementsAreArray(std::vector<std::string>{}));
            // A page is left only when the next row does not fit.
            EXPECT_LT(pageNumberTop - lastBottom, 2 * rowHeight);
        } else {
            EXPECT_THAT(below, ElementsAreArray({std::string("120"), AnsiToUtf8(columns[4]->SummaryFooterText())}));
        }
    }
    EXPECT_THAT(codes, ElementsAreArray(AllCodes(120)));
    EXPECT_EQ(Count(Texts(0), "[PAGE#] & 'x'"), 1);
    EXPECT_EQ(columns[4]->SummaryFooterValue(), 874830.0L) << "1.5 times the sum of the squares";
}

TEST_F(GridPrintTest, CellsKeepTheColumnsAlignment)
{
    InsertRows(20);
    MakeGrid();
    Prepare();
    const std::vector<Row> rows = RowsOf(Items(0));
    ASSERT_GE(rows.size(), 20u);
    // NAME is left-aligned: "Item 9" and "Item 10" start together; AMOUNT is
    // right-aligned: "121.50" and "150.00" ... "600.00" end together.
    std::set<int32_t> nameLefts, amountRights, amountLefts;
    for (const Row& row : rows) {
        ASSERT_EQ(row.size(), 5u);
        nameLefts.insert(row[1].Box.Left);
        amountRights.insert(row[4].Box.Right);
        amountLefts.insert(row[4].Box.Left);
    }
    EXPECT_EQ(nameLefts.size(), 1u);
    EXPECT_EQ(amountRights.size(), 1u);
    EXPECT_GT(amountLefts.size(), 1u);
}

TEST_F(GridPrintTest, BuiltWholeFirstThePagesCountThemselves)
{
    InsertRows(120);
    MakeGrid();
    TqvGridPrintOptions options;
    options.WholeReportFirst = true;
    Prepare(options);
    const int pages = PageCount();
    ASSERT_GE(pages, 2);
    for (int page = 0; page < pages; ++page)
        EXPECT_EQ(Count(Texts(page), "Page " + std::to_string(page + 1) + " of " + std::to_string(pages)), 1);
}

TEST_F(GridPrintTest, AWideGridContinuesOnThePagesToTheRightWithTheKeyColumnLeading)
{
    InsertRows(60);
    MakeGrid(200);  // six columns of about 2 inches on 7.5 inches of A4
    const int32_t right = Prepare().Pages()[0]->RightMarginInEffect();
    const int pages = PageCount();

    // Pages come in groups of the same rows; a group starts with the page that
    // holds the second column.
    std::vector<std::vector<int>> groups;
    for (int page = 0; page < pages; ++page) {
        const std::vector<std::string> captions = Captions(Texts(page));
        ASSERT_FALSE(captions.empty());
        EXPECT_EQ(captions.front(), "Col CODE") << "page " << page + 1;
        if (Count(captions, "Col NAME")) groups.emplace_back();
        ASSERT_FALSE(groups.empty());
        groups.back().push_back(page);
        for (const TrqTextItem& item : Items(page)) EXPECT_LE(item.Box.Right, right) << AnsiToUtf8(item.Text);
    }
    ASSERT_GE(groups.size(), 2u);
    std::vector<std::string> codes;
    for (const std::vector<int>& group : groups) {
        ASSERT_GE(group.size(), 2u) << "the row is wider than the page";
        std::vector<std::string> captions{"Col CODE"};
        const std::vector<std::string> groupCodes = CodesOf(RowsOf(Items(group.front())));
        for (int page : group) {
            SCOPED_TRACE("page " + std::to_string(page + 1));
            const std::vector<std::string> pageCaptions = Captions(Texts(page));
            captions.insert(captions.end(), pageCaptions.begin() + 1, pageCaptions.end());
            EXPECT_THAT(CodesOf(RowsOf(Items(page))), ElementsAreArray(groupCodes));
        }
        EXPECT_THAT(captions, ElementsAreArray(AllCaptions));
        codes.insert(codes.end(), groupCodes.begin(), groupCodes.end());
    }
    EXPECT_THAT(codes, ElementsAreArray(AllCodes(60)));

    // The footer total stands on the last group's page with the amounts.
    const std::string sum = AnsiToUtf8(columns[4]->SummaryFooterText());
    for (int page = 0; page < pages; ++page) {
        const std::vector<std::string> texts = Texts(page);
        const bool amounts = Count(texts, "Col AMOUNT") == 1;
        EXPECT_EQ(Count(texts, sum), amounts && page >= groups.back().front() ? 1 : 0) << "page " << page + 1;
    }
}

TEST_F(GridPrintTest, FittedToThePageWidthAWideGridPrintsEachRowOnOnePage)
{
    InsertRows(60);
    MakeGrid(200);
    TqvGridPrintOptions options;
    options.FitToPageWidth = true;
    TrqReport& report = Prepare(options);
    const int32_t right = report.Pages()[0]->RightMarginInEffect();
    std::vector<std::string> codes;
    for (int page = 0; page < PageCount(); ++page) {
        EXPECT_THAT(Captions(Texts(page)), ElementsAreArray(AllCaptions));
        const std::vector<std::string> pageCodes = CodesOf(RowsOf(Items(page)));
        codes.insert(codes.end(), pageCodes.begin(), pageCodes.end());
        for (const TrqTextItem& item : Items(page)) EXPECT_LE(item.Box.Right, right) << AnsiToUtf8(item.Text);
    }
    EXPECT_THAT(codes, ElementsAreArray(AllCodes(60)));
}

TEST_F(GridPrintTest, TheRepeatedColumnsLeadEveryContinuedPage)
{
    struct Case {
        const char* why;
        const char* keyField;
        bool hideCode;
        int repeat;
        std::vector<std::string> lead;  // the captions every page starts with
    };
    const Case cases[] = {
        {"the key column by default, though it is not the first", "QTY", false, -1, {"Col QTY"}},
        {"a hidden key column: the first shown column", "CODE", true, -1, {"Col NAME"}},
        {"the first two columns when asked", "CODE", false, 2, {"Col CODE", "Col NAME"}},
        {"three would take more than half the page: two", "CODE", false, 3, {"Col CODE", "Col NAME"}},
        {"none when asked: the continued page starts with its own columns", "CODE", false, 0, {}},
    };
    InsertRows(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        MakeGrid(150);  // nine inches of columns, three of them more than half the page
        grid->SetKeyField(c.keyField);
        columns[0]->SetVisible(!c.hideCode);
        TqvGridPrintOptions options;
        options.RepeatedColumns = c.repeat;
        Prepare(options);
        ASSERT_GE(PageCount(), 2);
        std::vector<std::string> seen;
        for (int page = 0; page < PageCount(); ++page) {
            const std::vector<std::string> captions = Captions(Texts(page));
            ASSERT_GE(captions.size(), c.lead.size());
            EXPECT_THAT(std::vector<std::string>(captions.begin(), captions.begin() + c.lead.size()),
                        ElementsAreArray(c.lead));
            seen.insert(seen.end(), captions.begin() + c.lead.size(), captions.end());
        }
        // Every other shown column once, in the grid's order.
        std::vector<std::string> others;
        std::copy_if(AllCaptions.begin() + (c.hideCode ? 1 : 0), AllCaptions.end(), std::back_inserter(others),
                     [&](const std::string& s) { return std::find(c.lead.begin(), c.lead.end(), s) == c.lead.end(); });
        EXPECT_THAT(seen, ElementsAreArray(others));
    }
}

TEST(PrintedColumns, WidthsRepeatsAndFitting)
{
    // 96 screen pixels are an inch, 91.6 report units.
    EXPECT_EQ(ScreenPixelsToUnits(96), 92);
    struct Case {
        const char* why;
        std::vector<int> pixels;
        int key, repeat;
        int32_t printable;
        bool fit;
        std::vector<int> order;
        int repeated;
        bool scaled;
    };
    const Case cases[] = {
        {"the key column leads", {96, 96, 96}, 2, -1, 1000, false, {2, 0, 1}, 1, false},
        {"no key: the first column", {96, 96, 96}, -1, -1, 1000, false, {0, 1, 2}, 1, false},
        {"no repeat", {96, 96, 96}, 1, 0, 1000, false, {0, 1, 2}, 0, false},
        {"a repeat wider than half the page is cut back", {480, 480, 96}, -1, 3, 1000, false, {0, 1, 2}, 1, false},
        {"a key column wider than half the page is not repeated", {960, 96}, 0, -1, 1000, false, {0, 1}, 0, false},
        {"a grid that fits is not scaled up", {96, 96}, -1, -1, 1000, true, {0, 1}, 1, false},
        {"a wide grid is scaled down to fit", {960, 960, 960}, -1, -1, 1000, true, {0, 1, 2}, 1, true},
        {"no columns", {}, -1, -1, 1000, true, {}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const TqvPrintedColumns out = LayOutPrintedColumns(c.pixels, c.key, c.repeat, c.printable, c.fit);
        EXPECT_THAT(out.Order, ElementsAreArray(c.order));
        EXPECT_EQ(out.Repeated, c.repeated);
        EXPECT_EQ(out.Scale < 1.0, c.scaled);
        ASSERT_EQ(out.Widths.size(), out.Order.size());
        for (size_t i = 0; i < out.Order.size(); ++i) {
            EXPECT_GE(out.Widths[i], 1);
            if (!c.scaled) EXPECT_EQ(out.Widths[i], ScreenPixelsToUnits(c.pixels[size_t(out.Order[i])]));
        }
        if (c.fit) EXPECT_LE(out.TotalWidth(), c.printable);
        EXPECT_LE(out.RepeatedWidth() * 2, c.printable);
    }
}

}  // namespace

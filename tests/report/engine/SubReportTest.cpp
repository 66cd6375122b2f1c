// Sub-reports: another page's bands printed in the place of a sub-report
// view, continued on new pages, nested, and never waiting for ever.
#include "EngineTestBase.h"

#include "report/model/SubReportView.h"

namespace {

class SubReport : public EngineTest {
protected:
    // A sub-report view on page `page` printing page `subPage`.
    void SubReportView(const char* name, int page, int left, int top, int subPage)
    {
        auto view = std::make_unique<TrqSubReportView>();
        view->Name = name;
        view->Left = left;
        view->Top = top;
        view->Width = 200;
        view->Height = 20;
        view->SubPage = subPage;
        report_->Pages()[page]->Add(std::move(view));
    }
    // Page 1 lists table T: a header, a row per record, a footer with the count.
    void ItemsPage(int rows, int itemHeight = 20)
    {
        Numbers(rows);
        Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
        OnPage(1);
        Band(btMasterHeader, "SubHeader", 10, 20);
        Memo("SubHead", 0, 10, {"items"});
        Band(btMasterData, "SubData", 40, itemHeight, "Rows");
        Memo("Item", 0, 40, {"[Q.\"N\"]"});
        Band(btMasterFooter, "SubFooter", 50 + itemHeight, 20);
        Memo("SubFoot", 0, 50 + itemHeight, {"[COUNT(SubData)] items"});
        OnPage(0);
    }
    // Every view of the pages as (page, name, top), in print order.
    std::vector<std::tuple<int, std::string, int>> Placed()
    {
        std::vector<std::tuple<int, std::string, int>> out;
        const std::vector<PrintedPage> pages = Pages();
        for (size_t p = 0; p < pages.size(); ++p)
            for (const PrintedView& v : pages[p]) out.emplace_back(static_cast<int>(p), v.name, v.top);
        return out;
    }
};

TEST_F(SubReport, PrintsAnotherPagesBandsInItsPlace)
{
    ItemsPage(5);
    Band(btReportTitle, "Title1", 10, 60);
    Memo("TitleText", 20, 10, {"title"});
    SubReportView("SubReport1", 0, 300, 20, 1);
    Band(btMasterData, "MasterData1", 100, 20, "2");
    Memo("Main", 20, 100, {"main [LINE#]"});
    ASSERT_TRUE(Prepare()) << Message();

    ASSERT_EQ(report_->EMFPages().Count(), 1) << "the sub-report's page is not printed on its own";
    const std::vector<PrintedPage> pages = Pages();
    EXPECT_EQ(TextsOf(pages[0]),
              (std::vector<std::string>{"title", "items", "1", "2", "3", "4", "5", "5 items", "main 1", "main 2"}));
    // The sub-report starts at its view, shifted by its Left; the band after
    // the title goes on below the sub-report.
    const int start = Top() + 10;
    for (const PrintedView& v : pages[0]) {
        if (v.name == "SubHead") {
            EXPECT_EQ(v.top, start);
        } else if (v.name == "Item") {
            EXPECT_EQ(v.left, 300);
        } else if (v.name == "SubFoot") {
            EXPECT_EQ(v.top, start + 20 * 6);
        }
    }
    EXPECT_EQ(pages[0][8].top, start + 20 * 7);
}

TEST_F(SubReport, GoesOnAtTheTopOfNewPages)
{
    ItemsPage(120);
    Band(btPageHeader, "PageHeader1", 10, 20);
    Memo("Header", 20, 10, {"header [PAGE#]"});
    Band(btMasterData, "MasterData1", 40, 30, "1");
    SubReportView("SubReport1", 0, 20, 40, 1);
    Band(btReportSummary, "Summary1", 100, 20);
    Memo("After", 20, 100, {"after"});
    Band(btPageFooter, "PageFooter1", 1000, 20);
    Memo("Footer", 20, 1000, {"footer [PAGE#]"});
    ASSERT_TRUE(Prepare()) << Message();

    std::vector<std::string> items = Texts("Item");
    ASSERT_EQ(items.size(), 120u);
    for (int n = 1; n <= 120; ++n) EXPECT_EQ(items[n - 1], std::to_string(n));
    const int pages = report_->EMFPages().Count();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(Texts("Header").size(), static_cast<size_t>(pages));
    EXPECT_EQ(Texts("Footer").size(), static_cast<size_t>(pages));
    // Each page's items lie between its header and its footer, the first of
    // a new page right below the header.
    int lastPage = -1, lastTop = 0;
    for (const auto& [page, name, top] : Placed()) {
        if (name != "Item") continue;
        EXPECT_LE(top + 20, Bottom() - 20) << "page " << page;
        if (page != lastPage) {
            if (page > 0) {
                EXPECT_EQ(top, Top() + 20) << "page " << page;
            }
        } else {
            EXPECT_EQ(top, lastTop + 20);
        }
        lastPage = page;
        lastTop = top;
    }
    EXPECT_EQ(Texts("SubFoot"), std::vector<std::string>{"120 items"});
    const auto placed = Placed();
    const auto after = std::find_if(placed.begin(), placed.end(), [](const auto& v) { return std::get<1>(v) == "After"; });
    ASSERT_NE(after, placed.end());
    EXPECT_EQ(std::get<0>(*after), pages - 1);
}

TEST_F(SubReport, NestedSubReportsGoOnTogether)
{
    // Page 2 prints two records, each with page 1's 60 items beside it.
    ItemsPage(60);
    OnPage(2);
    Band(btMasterData, "Outer", 10, 20, "2");
    Memo("OuterText", 0, 10, {"outer [LINE#]"});
    SubReportView("Inner", 2, 100, 10, 1);
    OnPage(0);
    Band(btMasterData, "MasterData1", 40, 20, "1");
    SubReportView("SubReport1", 0, 20, 40, 2);
    Band(btReportSummary, "Summary1", 100, 20);
    Memo("After", 20, 100, {"after"});
    ASSERT_TRUE(Prepare()) << Message();

    std::vector<std::string> expected{"outer 1", "items"};
    for (int n = 1; n <= 60; ++n) expected.push_back(std::to_string(n));
    expected.push_back("60 items");
    expected.push_back("outer 2");
    expected.push_back("items");
    for (int n = 1; n <= 60; ++n) expected.push_back(std::to_string(n));
    expected.push_back("60 items");
    expected.push_back("after");
    std::vector<std::string> printed;
    for (const PrintedPage& page : Pages())
        for (const std::string& text : TextsOf(page)) printed.push_back(text);
    EXPECT_EQ(printed, expected);
    EXPECT_GE(report_->EMFPages().Count(), 3);
}

TEST_F(SubReport, OnPageBandsItPrintsOnEveryPage)
{
    ItemsPage(3);
    Band(btPageHeader, "PageHeader1", 10, 20);
    SubReportView("InHeader", 0, 20, 10, 1);
    Band(btMasterData, "MasterData1", 40, 100, "12");
    Memo("Main", 20, 40, {"main [LINE#]"});
    Band(btPageFooter, "PageFooter1", 1000, 20);
    Memo("Footer", 20, 1000, {"footer [PAGE#]"});
    ASSERT_TRUE(Prepare()) << Message();

    const std::vector<PrintedPage> pages = Pages();
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(Texts("Main").size(), 12u);
    for (size_t p = 0; p < pages.size(); ++p) {
        std::vector<std::string> texts = TextsOf(pages[p]);
        // The page header's sub-report first, then the records below it.
        const std::vector<std::string> head(texts.begin(), texts.begin() + 5);
        EXPECT_EQ(head, (std::vector<std::string>{"items", "1", "2", "3", "3 items"})) << "page " << p + 1;
        EXPECT_EQ(texts[5].rfind("main", 0), 0u) << "page " << p + 1;
        EXPECT_EQ(texts.back(), "footer " + std::to_string(p + 1));
        for (const PrintedView& v : pages[p])
            if (v.name == "Main") {
                EXPECT_GE(v.top, Top() + 5 * 20) << "below the sub-report";
            }
    }
}

TEST_F(SubReport, ABandThatNeverFitsPrintsOnAFreshPage)
{
    ItemsPage(3, 3000);
    Band(btMasterData, "MasterData1", 40, 20, "1");
    SubReportView("SubReport1", 0, 20, 40, 1);
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(Texts("Item"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Texts("SubFoot"), std::vector<std::string>{"3 items"});
    EXPECT_LE(report_->EMFPages().Count(), 5);
}

}  // namespace

// Lists, groups and master/detail reports over a real SQLite table.
#include "EngineTestBase.h"

#include "report/stream/TemplateJson.h"
#include "report/windows/ProgressForm.h"

namespace {

class ListReport : public EngineTest {
protected:
    // Title, page header, master header/data/footer, summary and page footer
    // over table T; every band 20 high except the title (40).
    void ListTemplate()
    {
        Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
        Band(btReportTitle, "Title1", 40, 40);
        Memo("TitleText", 20, 40, {"List of [COUNT(MasterData1)]"});
        Band(btPageHeader, "PageHeader1", 90, 20);
        Memo("HeaderText", 20, 90, {"Header"});
        Band(btMasterHeader, "MasterHeader1", 120, 20);
        Memo("Columns", 20, 120, {"N"});
        Band(btMasterData, "MasterData1", 150, 20, "Rows");
        Memo("Row", 20, 150, {"[Q.\"N\"]"});
        Band(btMasterFooter, "MasterFooter1", 180, 20);
        Memo("Count", 20, 180, {"[COUNT(MasterData1)] rows"});
        Band(btReportSummary, "Summary1", 210, 20);
        Memo("Total", 20, 210, {"Total [SUM([Q.\"V\"])]"});
        Band(btPageFooter, "PageFooter1", 900, 20);
        Memo("PageNo", 20, 900, {"[PAGE#]/[TOTALPAGES]"});
    }
};

TEST_F(ListReport, BandsFillPagesInOrder)
{
    Numbers(120);
    ListTemplate();
    report_->SetTwoPass(true);
    ASSERT_TRUE(Prepare()) << Message();

    // Rows fit while they end above the page footer.
    const int limit = Bottom() - 20;
    const int firstPage = (limit - (Top() + 40 + 20 + 20)) / 20;
    const int otherPages = (limit - (Top() + 20)) / 20;
    int pagesNeeded = 1, rowsLeft = 120 - firstPage;
    for (; rowsLeft > 0; rowsLeft -= otherPages) ++pagesNeeded;
    // The footer and summary follow the last row, on a new page if need be.
    const int lastRows = otherPages + rowsLeft;
    if (Top() + 20 + lastRows * 20 + 20 + 20 > limit) ++pagesNeeded;

    std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(static_cast<int>(pages.size()), pagesNeeded);
    std::vector<std::string> rows = Texts("Row");
    ASSERT_EQ(rows.size(), 120u);
    for (int n = 1; n <= 120; ++n) EXPECT_EQ(rows[n - 1], std::to_string(n));

    EXPECT_EQ(Texts("TitleText"), std::vector<std::string>{"List of 0"});  // the title knows no total yet
    EXPECT_EQ(Texts("Columns"), std::vector<std::string>{"N"});
    EXPECT_EQ(Texts("Count"), std::vector<std::string>{"120 rows"});
    EXPECT_EQ(Texts("Total"), std::vector<std::string>{"Total 7260"});
    for (size_t p = 0; p < pages.size(); ++p) {
        std::vector<std::string> texts = TextsOf(pages[p]);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Header"), 1) << "page " << p + 1;
        const std::string pageNo = std::to_string(p + 1) + "/" + std::to_string(pages.size());
        EXPECT_EQ(texts.back(), pageNo);
        EXPECT_EQ(pages[p].back().top, limit) << "the page footer stands at the bottom";
    }
    // Title first on page 1; the summary is the last band before the footer.
    EXPECT_EQ(pages[0].front().name, "TitleText");
    EXPECT_EQ(pages.back()[pages.back().size() - 2].name, "Total");
}

TEST_F(ListReport, OnePassKnowsNoTotalPages)
{
    Numbers(60);
    ListTemplate();
    ASSERT_TRUE(Prepare());
    std::vector<std::string> numbers = Texts("PageNo");
    ASSERT_GE(numbers.size(), 2u);
    EXPECT_EQ(numbers[0], "1/0");
}

TEST_F(ListReport, EmptyDataPrintsNoMasterBands)
{
    Numbers(0);
    ListTemplate();
    ASSERT_TRUE(Prepare());
    std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(TextsOf(pages[0]), (std::vector<std::string>{"List of 0", "Header", "Total 0", "1/0"}));
}

// Two nested groups over G1 (six rows each) and G2 (three rows each).
class GroupReport : public EngineTest {
protected:
    void SetUp() override
    {
        Numbers(12);
        Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
        Band(btGroupHeader, "Outer", 40, 20, "[Q.\"G1\"]");
        Memo("OuterText", 20, 40, {"Outer [Q.\"G1\"]"});
        Band(btGroupHeader, "Inner", 70, 20, "[Q.\"G2\"]");
        Memo("InnerText", 20, 70, {"Inner [Q.\"G2\"]"});
        Band(btMasterData, "MasterData1", 100, 20, "Rows");
        Memo("Row", 20, 100, {"[LINE#]:[Q.\"N\"]"});
        Band(btGroupFooter, "InnerFooter", 130, 20);
        Memo("InnerTotals", 20, 130,
             {"last [Q.\"N\"] sum [SUM([Q.\"V\"])] count [COUNT(MasterData1)] avg [AVG([Q.\"V\"])] min "
              "[MIN([Q.\"V\"])] max [MAX([Q.\"V\"])]"},
             600);
        Band(btGroupFooter, "OuterFooter", 160, 20);
        Memo("OuterTotals", 20, 160, {"outer [SUM([Q.\"V\"])] avg [AVG([Q.\"V\"])]"}, 600);
        Band(btReportSummary, "Summary1", 190, 20);
        Memo("Total", 20, 190, {"all [SUM([Q.\"V\"])] avg [AVG([Q.\"V\"])]"}, 600);
    }
};

TEST_F(GroupReport, GroupsBreakWithTheirOwnTotals)
{
    ASSERT_TRUE(Prepare()) << Message();
    std::vector<std::string> all;
    for (const PrintedPage& page : Pages())
        for (const std::string& text : TextsOf(page)) all.push_back(text);
    const std::vector<std::string> expected = {
        "Outer 0", "Inner 0", "1:1", "2:2", "3:3",
        "last 3 sum 6 count 3 avg 2 min 1 max 3",
        "Inner 1", "1:4", "2:5", "3:6",
        "last 6 sum 15 count 3 avg 5 min 4 max 6",
        "outer 21 avg 3.5",
        "Outer 1", "Inner 2", "1:7", "2:8", "3:9",
        "last 9 sum 24 count 3 avg 8 min 7 max 9",
        "Inner 3", "1:10", "2:11", "3:12",
        "last 12 sum 33 count 3 avg 11 min 10 max 12",
        "outer 57 avg 9.5",
        // Resets of the group footers leave the summary's own totals whole.
        "all 78 avg 6.5",
    };
    EXPECT_EQ(all, expected);
}

TEST_F(GroupReport, NewPageAfterAGroup)
{
    View("Outer").SetFlag(flBandNewPageAfter, true);
    ASSERT_TRUE(Prepare());
    std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(TextsOf(pages[1]).front(), "Outer 1");
}

class MasterDetail : public EngineTest {
protected:
    // Masters 1..3; details only for masters 1 and 3; subdetails only for detail 11.
    void SetUp() override
    {
        Exec("CREATE TABLE M (ID INTEGER)");
        Exec("INSERT INTO M VALUES (1), (2), (3)");
        Exec("CREATE TABLE D (ID INTEGER, MASTER INTEGER)");
        Exec("INSERT INTO D VALUES (11, 1), (12, 1), (31, 3)");
        Exec("CREATE TABLE S (ID INTEGER, DETAIL INTEGER)");
        Exec("INSERT INTO S VALUES (111, 11), (112, 11)");
        TQuery* m = Query("QM", "SELECT * FROM M ORDER BY ID");
        auto* masterSource = new TDataSource(form_.get());
        masterSource->SetDataSet(m);
        TQuery* d = Query("QD", "SELECT ID, MASTER FROM D WHERE MASTER = :ID ORDER BY ID");
        d->SetDataSource(masterSource);
        auto* detailSource = new TDataSource(form_.get());
        detailSource->SetDataSet(d);
        TQuery* s = Query("QS", "SELECT ID AS SID FROM S WHERE DETAIL = :ID ORDER BY ID");
        s->SetDataSource(detailSource);
        Dataset("Masters", m);
        Dataset("Details", d);
        Dataset("Subdetails", s);
    }
    std::vector<std::string> All()
    {
        std::vector<std::string> all;
        for (const PrintedPage& page : Pages())
            for (const std::string& text : TextsOf(page)) all.push_back(text);
        return all;
    }
};

TEST_F(MasterDetail, EmptyDetailsDropTheirMastersUnlessAsked)
{
    Band(btMasterData, "MasterData1", 40, 20, "Masters");
    Memo("Master", 20, 40, {"M[QM.\"ID\"]"});
    Band(btDetailHeader, "DetailHeader1", 70, 20);
    Memo("DetailHeading", 20, 70, {"details"});
    Band(btDetailData, "DetailData1", 100, 20, "Details");
    Memo("Detail", 40, 100, {"D[QD.\"ID\"]"});
    Band(btDetailFooter, "DetailFooter1", 130, 20);
    Memo("DetailEnd", 40, 130, {"end of [QM.\"ID\"]"});

    ASSERT_TRUE(Prepare());
    EXPECT_EQ(All(), (std::vector<std::string>{"M1", "details", "D11", "D12", "end of 1", "M3", "details", "D31",
                                               "end of 3"}));

    View("MasterData1").SetFlag(flBandPrintIfSubsetEmpty, true);
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(All(), (std::vector<std::string>{"M1", "details", "D11", "D12", "end of 1", "M2", "M3", "details",
                                               "D31", "end of 3"}));
}

TEST_F(MasterDetail, ThreeLevels)
{
    Band(btMasterData, "MasterData1", 40, 20, "Masters");
    Memo("Master", 20, 40, {"M[QM.\"ID\"]"});
    Band(btDetailData, "DetailData1", 70, 20, "Details");
    Memo("Detail", 40, 70, {"D[QD.\"ID\"]"});
    Band(btSubDetailData, "SubDetailData1", 100, 20, "Subdetails");
    Memo("Sub", 60, 100, {"S[QS.\"SID\"]"});
    View("DetailData1").SetFlag(flBandPrintIfSubsetEmpty, true);

    ASSERT_TRUE(Prepare());
    // Master 2 has no details at all; detail 12 and 31 have no subdetails but print.
    EXPECT_EQ(All(), (std::vector<std::string>{"M1", "D11", "S111", "S112", "D12", "M3", "D31"}));
}

TEST_F(MasterDetail, RecordCountAsDataSource)
{
    Band(btMasterData, "MasterData1", 40, 20, "5");
    Memo("Line", 20, 40, {"line [LINE#]"});
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(All(), (std::vector<std::string>{"line 1", "line 2", "line 3", "line 4", "line 5"}));

    // A count that is not a whole number is an error of the build.
    View("MasterData1").FormatText = "3.5";
    EXPECT_FALSE(Prepare());
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].caption, "Error");
    EXPECT_NE(dialogs_.Calls()[0].text.find("'3.5' is not a valid integer value"), std::string::npos);
    EXPECT_EQ(report_->EMFPages().Count(), 0);
}

TEST_F(ListReport, StopReportKeepsPagesAndTheTemplate)
{
    Numbers(120);
    ListTemplate();
    Script(View("MasterData1"), {"if [Q.\"N\"] = 60 then StopReport"});
    for (bool twoPass : {false, true}) {
        report_->SetTwoPass(twoPass);
        const std::string before = TemplateToJson(*report_);
        EXPECT_TRUE(Prepare()) << "two passes: " << twoPass;
        std::vector<std::string> rows = Texts("Row");
        ASSERT_EQ(rows.size(), 59u) << "the band that stopped is not printed";
        EXPECT_EQ(rows.back(), "59");
        EXPECT_TRUE(dialogs_.Calls().empty());
        EXPECT_EQ(TemplateToJson(*report_), before);
        if (twoPass) {
            // The last page gets no footer: the build stopped before it.
            EXPECT_EQ(Texts("PageNo").front(), "1/" + std::to_string(Pages().size()));
        }
    }
}

TEST_F(ListReport, ABadExpressionNamesItsObjectAndClearsThePages)
{
    Numbers(40);
    ListTemplate();
    static_cast<TrqMemoView&>(View("Row")).Memo.Put(0, "[Q.\"N\"] [Nowhere]");
    const std::string before = TemplateToJson(*report_);
    EXPECT_FALSE(Prepare());
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].caption, "Error");
    EXPECT_EQ(dialogs_.Calls()[0].flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(dialogs_.Calls()[0].text, "An error occured during calculating\r[Q.\"N\"] [Nowhere]\r\rReport: Report1\r"
                                        "Object: Row\r\rUndefined symbol \"NOWHERE\"");
    EXPECT_EQ(report_->EMFPages().Count(), 0);
    EXPECT_EQ(TemplateToJson(*report_), before);
    EXPECT_FALSE(report_->Building());
}

TEST_F(MasterDetail, PagesContinueOnThePreviousAndRepeatPerRecord)
{
    Band(btReportTitle, "Title1", 40, 20);
    Memo("Heading", 20, 40, {"Masters"});
    Band(btMasterData, "MasterData1", 70, 20, "Masters");
    Memo("Master", 20, 70, {"M[QM.\"ID\"]"});
    TrqPage& second = *report_->Pages().Add();
    second.PrintToPrevPage = true;
    auto details = std::make_unique<TrqBandView>();
    details->SetBandType(btMasterData);
    details->Name = "DetailList";
    details->Top = 40;
    details->Height = 20;
    details->Width = 700;
    details->FormatText = "3";
    second.Add(std::move(details));
    auto line = std::make_unique<TrqMemoView>();
    line->Name = "Line";
    line->Top = 40;
    line->Width = 100;
    line->Height = 18;
    line->Memo.Add("line [LINE#]");
    second.Add(std::move(line));

    ASSERT_TRUE(Prepare());
    std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 1u) << "the second page continues on the first";
    EXPECT_EQ(TextsOf(pages[0]), (std::vector<std::string>{"Masters", "M1", "M2", "M3", "line 1", "line 2", "line 3"}));
    EXPECT_GT(pages[0][4].top, pages[0][3].top);

    // Once per record of the report's dataset: the pages come three times over.
    auto* three = new TrqUserDataset(form_.get());
    three->SetRangeEnd(reCount);
    three->SetRangeEndCount(3);
    report_->SetDataset(three);
    report_->SetReportType(rtMultiple);
    report_->Pages()[1]->PrintToPrevPage = false;
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Pages().size(), 6u);
    EXPECT_EQ(Texts("Heading").size(), 3u);
}

TEST_F(ListReport, ChainedAndChildBandsPrintWithEachRecord)
{
    Numbers(3);
    Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
    Band(btMasterData, "MasterData1", 40, 20, "Rows");
    Memo("First", 20, 40, {"a[Q.\"N\"]"});
    Band(btMasterData, "MasterData2", 70, 20);  // no dataset: printed with the band before it
    Memo("Second", 20, 70, {"b[Q.\"N\"]"});
    static_cast<TrqBandView&>(View("MasterData2")).ChildBand = "Child1";
    Band(btChild, "Child1", 100, 20);
    Memo("Child", 20, 100, {"c[Q.\"N\"]"});
    static_cast<TrqBandView&>(View("MasterData1")).ChildBand = "Child1";
    ASSERT_TRUE(Prepare()) << Message();
    // A chain prints its bands one after the other, children not included.
    EXPECT_EQ(TextsOf(Pages()[0]), (std::vector<std::string>{"a1", "b1", "a2", "b2", "a3", "b3"}));

    View("MasterData2").FormatText = "Rows";  // a band with a dataset of its own ends the chain
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(TextsOf(Pages()[0]), (std::vector<std::string>{"a1", "c1", "a2", "c2", "a3", "c3", "b1", "c1", "b2",
                                                             "c2", "b3", "c3"}));
}

TEST_F(ListReport, TheProgressWindowRunsTheBuildAndCancels)
{
    Numbers(120);
    ListTemplate();
    report_->SetTwoPass(true);
    report_->SetShowProgress(true);
    ASSERT_TRUE(Prepare());
    const int pages = report_->EMFPages().Count();
    EXPECT_EQ(Texts("PageNo").back(), std::to_string(pages) + "/" + std::to_string(pages));
    EXPECT_FALSE(rqProgressForm().isVisible());

    // Cancel (the window's button) during the first pass: nothing is built.
    report_->OnBeginBand = [](TrqBand*) { rqProgressForm().Cancel(); };
    EXPECT_FALSE(Prepare());
    EXPECT_EQ(report_->EMFPages().Count(), 0);
    EXPECT_TRUE(dialogs_.Calls().empty());
}

}  // namespace

// Composite reports: two list reports built one after the other into the
// composite's pages, over real SQLite tables.
#include "EngineTestBase.h"

#include "report/model/CompositeReport.h"
#include "report/stream/TemplateJson.h"
#include "report/windows/ProgressForm.h"

namespace {

class CompositeReport : public EngineTest {
protected:
    CompositeReport()
    {
        first_ = report_;
        second_ = NewReport("Report2");
        composite_ = new TrqCompositeReport(form_.get());
        composite_->SetName("Composite1");
        composite_->SetShowProgress(false);
        composite_->AddReport(first_);
        composite_->AddReport(second_);
    }

    TrqReport* NewReport(const char* name)
    {
        auto* report = new TrqReport(form_.get());
        report->SetName(name);
        TrqPage& page = *report->Pages()[0];
        page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = Margin;
        return report;
    }
    // The helpers of the fixture add to this report from now on.
    void On(TrqReport* report)
    {
        report_ = report;
        target_ = 0;
    }
    // A list of table `table` in report `report`: title, page header, one row
    // per record (each band 20 high) and a page footer with the page number.
    void List(TrqReport* report, const std::string& suffix, const std::string& table, bool footer = true)
    {
        On(report);
        const std::string query = "Q" + suffix, rows = "Rows" + suffix;
        Dataset(rows.c_str(), Query(query.c_str(), "SELECT * FROM " + table + " ORDER BY N"));
        Band(btReportTitle, ("Title" + suffix).c_str(), 40, 20);
        Memo(("TitleText" + suffix).c_str(), 20, 40, {"List " + suffix});
        Band(btPageHeader, ("PageHeader" + suffix).c_str(), 70, 20);
        Memo(("HeaderText" + suffix).c_str(), 20, 70, {"Header " + suffix});
        Band(btMasterData, ("MasterData" + suffix).c_str(), 100, 20, rows.c_str());
        Memo(("Row" + suffix).c_str(), 20, 100, {suffix + "[" + query + ".\"N\"]"});
        if (footer) {
            Band(btPageFooter, ("PageFooter" + suffix).c_str(), 900, 20);
            Memo("PageNo", 20, 900, {"[PAGE#]/[TOTALPAGES]"});
        }
    }
    bool PrepareComposite()
    {
        On(composite_);
        return composite_->PrepareReport();
    }
    // The texts of the views whose name starts with `prefix`, page by page.
    std::vector<std::vector<std::string>> PageTexts(const std::string& prefix)
    {
        std::vector<std::vector<std::string>> out;
        for (const PrintedPage& page : Pages()) {
            out.emplace_back();
            for (const PrintedView& v : page)
                if (v.name.rfind(prefix, 0) == 0) out.back().push_back(v.text);
        }
        return out;
    }

    TrqReport* first_;
    TrqReport* second_;
    TrqCompositeReport* composite_;
};

std::vector<std::string> Rows(const std::string& prefix, int from, int to)
{
    std::vector<std::string> rows;
    for (int n = from; n <= to; ++n) rows.push_back(prefix + std::to_string(n));
    return rows;
}

TEST_F(CompositeReport, ReportsFollowEachOtherAndPagesCountOverTheWhole)
{
    Numbers(60, "T");
    Numbers(50, "U");
    List(first_, "A", "T");
    List(second_, "B", "U");
    // The reports' own TwoPass does not matter: the composite's does.
    composite_->SetTwoPass(true);
    std::vector<std::string> events;
    for (TrqReport* r : {first_, second_, static_cast<TrqReport*>(composite_)}) {
        r->OnBeginDoc = [&events, r] { events.push_back("begin " + r->Name()); };
        r->OnEndDoc = [&events, r] { events.push_back("end " + r->Name()); };
    }
    int compositePages = 0;
    composite_->OnBeginPage = [&](int) { ++compositePages; };
    ASSERT_TRUE(PrepareComposite()) << Message();

    std::vector<std::string> rows = Texts("RowA"), rowsB = Texts("RowB");
    EXPECT_EQ(rows, Rows("A", 1, 60));
    EXPECT_EQ(rowsB, Rows("B", 1, 50));
    const std::vector<std::string> numbers = Texts("PageNo");
    const int pages = composite_->EMFPages().Count();
    ASSERT_GE(pages, 4);
    ASSERT_EQ(static_cast<int>(numbers.size()), pages) << "one page footer on every page";
    for (int p = 0; p < pages; ++p)
        EXPECT_EQ(numbers[p], std::to_string(p + 1) + "/" + std::to_string(pages)) << "page " << p + 1;
    // The second report starts on a page of its own, with its title.
    std::vector<std::vector<std::string>> titles = PageTexts("TitleText");
    int secondStart = 0;
    while (secondStart < pages && titles[secondStart] != std::vector<std::string>{"List B"}) ++secondStart;
    ASSERT_LT(secondStart, pages);
    EXPECT_GT(secondStart, 0);
    for (int p = secondStart; p < pages; ++p)
        EXPECT_TRUE(PageTexts("RowA")[p].empty()) << "page " << p + 1 << " holds rows of the first report";
    // Two passes over the two reports: the second pass's pages are the ones counted here.
    EXPECT_EQ(compositePages, 2 * pages);
    EXPECT_EQ(events, (std::vector<std::string>{"begin Report1", "begin Report2", "begin Composite1",
                                                "end Composite1", "end Report1", "end Report2"}));
    EXPECT_EQ(first_->EMFPages().Count(), 0);
    EXPECT_EQ(second_->EMFPages().Count(), 0);
}

TEST_F(CompositeReport, PrintToPrevPageContinuesOnlyOnTheSamePaper)
{
    struct Case {
        const char* why;
        uint8_t orientation;
        int pages;
    } cases[] = {
        {"the same paper: the second report goes on below the first", poPortrait, 1},
        {"another orientation needs a page of its own", poLandscape, 2},
    };
    Numbers(3, "T");
    Numbers(2, "U");
    List(first_, "A", "T", false);
    List(second_, "B", "U", false);
    TrqPage& page = *second_->Pages()[0];
    page.PrintToPrevPage = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        second_->Pages()[0]->Orientation = c.orientation;
        ASSERT_TRUE(PrepareComposite()) << Message();
        std::vector<PrintedPage> pages = Pages();
        ASSERT_EQ(static_cast<int>(pages.size()), c.pages);
        EXPECT_EQ(Texts("RowA"), Rows("A", 1, 3));
        EXPECT_EQ(Texts("RowB"), Rows("B", 1, 2));
        const PrintedPage& last = pages.back();
        auto titleB = std::find_if(last.begin(), last.end(), [](const PrintedView& v) { return v.name == "TitleTextB"; });
        ASSERT_NE(titleB, last.end());
        if (c.pages == 1) {
            // Right below the last row of the first report.
            const PrintedView& lastRowA = *std::find_if(last.begin(), last.end(),
                                                        [](const PrintedView& v) { return v.text == "A3"; });
            EXPECT_EQ(titleB->top, lastRowA.top + 20);
        } else {
            EXPECT_EQ(last.front().name, "TitleTextB");
            EXPECT_EQ(titleB->top, Top());
        }
    }
}

TEST_F(CompositeReport, PrintToPrevPageComparesWithThePageItWouldContinue)
{
    // Portrait, landscape, then portrait asking to continue: the page before it
    // is the landscape one, so the third report needs a page of its own even
    // though the first report's paper is its own.
    Numbers(2, "T");
    Numbers(2, "U");
    Numbers(2, "W");
    TrqReport* third = NewReport("Report3");
    composite_->AddReport(third);
    List(first_, "A", "T", false);
    List(second_, "B", "U", false);
    List(third, "C", "W", false);
    second_->Pages()[0]->Orientation = poLandscape;
    third->Pages()[0]->PrintToPrevPage = true;
    ASSERT_TRUE(PrepareComposite()) << Message();
    std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[2].front().name, "TitleTextC");
    EXPECT_EQ(composite_->EMFPages()[2].Orientation, poPortrait);
    EXPECT_EQ(composite_->EMFPages()[1].Orientation, poLandscape);
}

TEST_F(CompositeReport, AReportListedTwicePrintsTwice)
{
    Numbers(2, "T");
    List(first_, "A", "T");
    composite_->RemoveReport(second_);
    composite_->AddReport(first_);
    const std::string before = TemplateToJson(*first_);
    ASSERT_TRUE(PrepareComposite()) << Message();
    EXPECT_EQ(Texts("RowA"), (std::vector<std::string>{"A1", "A2", "A1", "A2"}));
    EXPECT_EQ(Texts("PageNo"), (std::vector<std::string>{"1/0", "2/0"}));
    EXPECT_EQ(TemplateToJson(*first_), before);
}

TEST_F(CompositeReport, AStopInOneReportEndsTheWholeBuild)
{
    struct Case {
        const char* why;
        bool cancel;  // the progress window's Cancel; otherwise STOPREPORT
        bool built;
        int pages;
    } cases[] = {
        {"STOPREPORT keeps what was built", false, true, 1},
        {"Cancel in the progress window fails the build; as in one report, the page begun stays", true, false, 1},
    };
    Numbers(5, "T");
    Numbers(5, "U");
    List(first_, "A", "T");
    List(second_, "B", "U");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        composite_->SetShowProgress(c.cancel);
        Script(*first_->FindObject("MasterDataA"), {c.cancel ? "" : "IF [QA.\"N\"] = 3 THEN STOPREPORT"});
        first_->OnBeginBand = [&](TrqBand*) {
            if (c.cancel) rqProgressForm().Cancel();
        };
        bool secondBuilt = false;
        second_->OnBeginBand = [&](TrqBand*) { secondBuilt = true; };
        EXPECT_EQ(PrepareComposite(), c.built) << Message();
        EXPECT_FALSE(secondBuilt);
        EXPECT_EQ(composite_->EMFPages().Count(), c.pages);
        if (c.built) {
            EXPECT_EQ(Texts("RowA"), Rows("A", 1, 2));
        }
        EXPECT_TRUE(dialogs_.Calls().empty());
    }
}

TEST_F(CompositeReport, AFailingReportClearsThePagesAndLeavesEveryTemplateAsItWas)
{
    Numbers(30, "T");
    Numbers(5, "U");
    List(first_, "A", "T");
    List(second_, "B", "U");
    // Scripts that move views while building must not reach the templates.
    Script(*first_->FindObject("RowA"), {"Left := Left + 7"});
    Script(*second_->FindObject("RowB"), {"Left := Left + 7"});
    second_->FindObject("RowB")->Memo.Add("[NOSUCHTHING]");
    const std::string firstBefore = TemplateToJson(*first_), secondBefore = TemplateToJson(*second_);

    EXPECT_FALSE(PrepareComposite());
    EXPECT_EQ(composite_->EMFPages().Count(), 0);
    const std::string message = Message();
    EXPECT_NE(message.find("Report2"), std::string::npos) << message;
    EXPECT_NE(message.find("RowB"), std::string::npos) << message;
    EXPECT_EQ(dialogs_.Calls().size(), 1u) << "one message for the whole build";
    EXPECT_EQ(TemplateToJson(*first_), firstBefore);
    EXPECT_EQ(TemplateToJson(*second_), secondBefore);
    EXPECT_FALSE(first_->Building());
    EXPECT_FALSE(second_->Building());
    EXPECT_FALSE(composite_->Building());

    // Each report builds on its own afterwards.
    On(first_);
    EXPECT_TRUE(first_->PrepareReport());
    EXPECT_EQ(Texts("RowA"), Rows("A", 1, 30));
}

TEST_F(CompositeReport, ADatasetBuildsEveryReportOncePerRecord)
{
    Numbers(3, "K");
    Numbers(2, "T");
    Numbers(1, "U");
    List(first_, "A", "T");
    List(second_, "B", "U");
    composite_->SetTwoPass(true);
    // The title names the composite's record; its script moves it, which each
    // record's fresh template undoes.
    TrqView& title = *first_->FindObject("TitleTextA");
    title.Memo.Clear();
    title.Memo.Add("Record [QK.\"N\"]");
    Script(title, {"Left := Left + 100"});
    TrqDBDataSet* records = Dataset("Records", Query("QK", "SELECT * FROM K ORDER BY N"));
    composite_->SetDataset(records);
    int begins = 0;
    first_->OnBeginDoc = [&] { ++begins; };
    const std::string firstBefore = TemplateToJson(*first_);

    ASSERT_TRUE(PrepareComposite()) << Message();
    EXPECT_EQ(composite_->EMFPages().Count(), 6);
    EXPECT_EQ(Texts("TitleTextA"), (std::vector<std::string>{"Record 1", "Record 2", "Record 3"}));
    EXPECT_EQ(Texts("RowA"), (std::vector<std::string>{"A1", "A2", "A1", "A2", "A1", "A2"}));
    EXPECT_EQ(Texts("RowB"), (std::vector<std::string>{"B1", "B1", "B1"}));
    EXPECT_EQ(Texts("PageNo"), (std::vector<std::string>{"1/6", "2/6", "3/6", "4/6", "5/6", "6/6"}));
    // Rows and the title stand at the same Left in the template.
    const PrintedPage first = Pages()[0];
    const int rowLeft =
        std::find_if(first.begin(), first.end(), [](const PrintedView& v) { return v.name == "RowA"; })->left;
    for (const PrintedPage& page : Pages())
        for (const PrintedView& v : page)
            if (v.name == "TitleTextA") {
                EXPECT_EQ(v.left, rowLeft + 100);
            }
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(TemplateToJson(*first_), firstBefore);
}

TEST_F(CompositeReport, ACompositeCannotContainItself)
{
    Numbers(2, "T");
    List(first_, "A", "T");
    auto* outer = new TrqCompositeReport(form_.get());
    outer->SetName("Outer");
    outer->SetShowProgress(false);
    outer->AddReport(composite_);
    composite_->AddReport(outer);
    EXPECT_FALSE(outer->PrepareReport());
    EXPECT_NE(Message().find("contains itself"), std::string::npos) << Message();
    EXPECT_EQ(outer->EMFPages().Count(), 0);
}

}  // namespace

// The page list and the print loop, on a recording job: which sheets go to
// which job with which copy count, for page lists, collation, odd and even
// pages, changes of paper and a cancel.
#include "PrintFixtures.h"
#include "report/draw/DrawState.h"
#include "report/print/PageList.h"
#include "report/printer/QtPrinterPlatform.h"
#include "report/printer/RecordingPrintJob.h"
#include "runtime/Exceptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAreArray;
using ::testing::ThrowsMessage;

TEST(PageList, ChoosesPagesOfTheReport)
{
    struct Case {
        const char* text;
        int pageCount;
        std::vector<int> pages;
        const char* why;
    } cases[] = {
        {"", 4, {1, 2, 3, 4}, "empty: every page"},
        {"1,3,5-12", 14, {1, 3, 5, 6, 7, 8, 9, 10, 11, 12}, "numbers and a range"},
        {"5-", 12, {5, 6, 7, 8, 9, 10, 11, 12}, "a trailing dash runs to the last page"},
        {"12-5", 12, {}, "a range whose end is below its start adds nothing"},
        {"3,1", 12, {1, 3}, "order does not matter"},
        {" 2 , 4 - 5 ", 12, {2, 4, 5}, "blanks are ignored"},
        {"1-2000000000", 3, {1, 2, 3}, "a huge range stops at the last page"},
        {"0,7,99", 6, {}, "numbers outside the report never match"},
        {"1-3-5", 6, {3, 4, 5}, "a second dash starts the range again"},
    };
    for (const Case& c : cases) {
        TrqPageList list(c.text, c.pageCount);
        EXPECT_EQ(list.Numbers(c.pageCount), c.pages) << c.why;
    }
}

TEST(PageList, PiecesThatAreNotNumbersFail)
{
    for (const char* text : {"1,,2", "-3", ",1"})
        EXPECT_THAT([&] { (void)TrqPageList(text, 5); }, ThrowsMessage<EConvertError>("'' is not a valid integer value"))
            << text;
    EXPECT_THAT([] { (void)TrqPageList("1-x", 5); }, ThrowsMessage<EConvertError>("'x' is not a valid integer value"));
}

namespace {
struct ExpectedJob {
    int copies;
    uint8_t orientation;
    std::vector<int> pages;
};

class PrintLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rqPrinter().AssignPrinter(nullptr);
        rqPrinter().SetJobOverride(&job);
        report.SetShowProgress(false);
    }
    void TearDown() override
    {
        rqPrinter().SetJobOverride(nullptr);
        rqDrawState() = TrqDrawState();
        rqPrinter().AssignPrinter(CreateQtPrinterPlatform());
    }

    void addPages(const std::vector<fixtures::PaperOf>& papers)
    {
        for (size_t i = 0; i < papers.size(); ++i) fixtures::AddNumberedPage(report, static_cast<int>(i) + 1, papers[i]);
    }

    void expectJobs(const std::vector<ExpectedJob>& expected, const char* why)
    {
        ASSERT_EQ(job.Jobs().size(), expected.size()) << why;
        for (size_t i = 0; i < expected.size(); ++i) {
            const TrqRecordedJob& got = job.Jobs()[i];
            EXPECT_TRUE(got.Ended) << why << ", job " << i + 1;
            EXPECT_EQ(got.Setup.Copies, expected[i].copies) << why << ", job " << i + 1;
            EXPECT_EQ(got.Setup.Orientation, expected[i].orientation) << why << ", job " << i + 1;
            EXPECT_THAT(got.Pages, ElementsAreArray(expected[i].pages)) << why << ", job " << i + 1;
        }
    }

    TrqReport report;
    TrqRecordingPrintJob job;
};
}  // namespace

TEST_F(PrintLoopTest, SendsTheChosenSheetsToOneJobPerPaper)
{
    using namespace fixtures;
    struct Case {
        std::vector<PaperOf> papers;
        const char* pages;
        int copies;
        bool collate;
        int kind;
        std::vector<ExpectedJob> jobs;
        const char* why;
    } cases[] = {
        {{A4Portrait, A4Portrait, A4Portrait}, "", 2, true, 0, {{1, 0, {1, 2, 3, 1, 2, 3}}},
         "collated copies are passes of their own in one job"},
        {{A4Portrait, A4Portrait, A4Portrait}, "", 2, false, 0, {{2, 0, {1, 2, 3}}},
         "uncollated copies are the job's copy count"},
        {std::vector<PaperOf>(7, A4Portrait), "2-6", 1, false, 1, {{1, 0, {3, 5}}}, "odd pages of a page list"},
        {std::vector<PaperOf>(5, A4Portrait), "", 1, false, 2, {{1, 0, {2, 4}}}, "even pages"},
        {{A4Portrait, A4Landscape, A4Portrait}, "", 1, false, 0, {{1, 0, {1}}, {1, 1, {2}}, {1, 0, {3}}},
         "every change of paper is a new job"},
        {{A4Portrait, A4Landscape, A4Portrait}, "", 3, false, 0, {{3, 0, {1}}, {3, 1, {2}}, {3, 0, {3}}},
         "every job after a change of paper keeps the copies"},
        {{A4Portrait, A4Landscape, A4Landscape}, "2-3", 1, false, 0, {{1, 1, {2, 3}}},
         "a job begins at its first printed page: no empty job on the first page's paper"},
        {{A4Portrait, A4Landscape, A4Portrait}, "", 1, false, 2, {{1, 1, {2}}}, "even pages alone: one job"},
        {{A4Portrait, A4Portrait}, "7-9", 1, false, 0, {}, "nothing to print: no job at all"},
        {{A4Portrait}, "", 0, false, 0, {{1, 0, {1}}}, "no copies count as one"},
        {{A4Portrait}, "", 20000, false, 0, {{9999, 0, {1}}}, "copies stop at 9999"},
    };
    for (const Case& c : cases) {
        report.EMFPages().Clear();
        job.Clear();
        addPages(c.papers);
        report.PrintPreparedReport(c.pages, c.copies, c.collate, c.kind);
        expectJobs(c.jobs, c.why);
        EXPECT_FALSE(rqPrinter().Printing()) << c.why;
    }
}

TEST_F(PrintLoopTest, TheDryRunLinesNameThePaper)
{
    using namespace fixtures;
    addPages({A4Portrait, A5Landscape});
    report.PrintPreparedReport("", 2, false, 0);
    EXPECT_THAT(job.SubmittedLines(), ElementsAreArray({"job 1: A4, 210 x 297 mm portrait copies 2: 1",
                                                        "job 2: A5, 148 x 210 mm landscape copies 2: 2"}));
}

TEST_F(PrintLoopTest, ACancelAbortsTheJobBeforeItIsSubmitted)
{
    addPages({fixtures::A4Portrait, fixtures::A4Portrait, fixtures::A4Portrait});
    std::vector<int> progress;
    report.OnProgress = [&](int page) {
        progress.push_back(page);
        if (page == 2) report.Terminated = true;  // what the progress window's Cancel does
    };
    report.PrintPreparedReport("", 1, false, 0);
    ASSERT_EQ(job.Jobs().size(), 1u);
    EXPECT_TRUE(job.Jobs()[0].Aborted);
    EXPECT_FALSE(job.Jobs()[0].Ended);
    EXPECT_THAT(job.Jobs()[0].Pages, ElementsAreArray({1, 2}));
    EXPECT_TRUE(job.SubmittedLines().empty());
    EXPECT_THAT(progress, ElementsAreArray({1, 2}));
    // The pages let their views go, printed or not.
    for (int i = 0; i < report.EMFPages().Count(); ++i) EXPECT_FALSE(report.EMFPages()[i].CachedPage) << i;
}

TEST_F(PrintLoopTest, ABadPageListFailsBeforeAnyJob)
{
    addPages({fixtures::A4Portrait, fixtures::A4Portrait});
    bool announced = false;
    report.OnPrintReport = [&] { announced = true; };
    EXPECT_THAT([&] { report.PrintPreparedReport("1,,2", 1, false, 0); },
                ThrowsMessage<EConvertError>("'' is not a valid integer value"));
    EXPECT_TRUE(job.Jobs().empty());
    EXPECT_FALSE(announced);
}

TEST_F(PrintLoopTest, ThePrintDialogsProgressWindowShowsThePages)
{
    addPages({fixtures::A4Portrait, fixtures::A4Portrait});
    report.SetShowProgress(true);
    report.SetTitle("Invoice");
    report.PrintPreparedReport("", 1, false, 0);
    ASSERT_EQ(job.Jobs().size(), 1u);
    EXPECT_EQ(job.Jobs()[0].Setup.Title, "Invoice");
    EXPECT_THAT(job.Jobs()[0].Pages, ElementsAreArray({1, 2}));
}

// Prepared pages: making entries from template pages, drawing them (views made
// from the stream and released again), hit-testing and damaged page streams.
#include "../draw/DrawHelpers.h"
#include "PagesTestBase.h"
#include "PreparedFixtures.h"

#include "report/model/AddInRegistry.h"
#include "report/model/Control.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {
class DateCheck : public TrqControl {
public:
    const char* ClassName() const override { return "TrqDateCheck"; }
};

// Draws the page over the whole image (758 x 1071 for A4 at 100 %).
Drawn drawPage(TrqEMFPages& pages, int index, const QRegion& clip = QRegion())
{
    Drawn d{blankImage(758, 1071, White), {}};
    QPainter painter(&d.image);
    TrqCanvas canvas(painter);
    if (!clip.isEmpty()) canvas.SetClipRegion(clip);
    canvas.OnTextOut = [&](const AnsiString& text, const TrqRect& box) { d.texts.push_back({text, box}); };
    pages.Draw(index, canvas, {0, 0, 758, 1071});
    return d;
}

std::vector<AnsiString> texts(const Drawn& d)
{
    std::vector<AnsiString> out;
    for (const DrawnText& t : d.texts) out.push_back(t.text);
    return out;
}
}  // namespace

TEST_F(PagesTest, AnEntryTakesItsTemplatePagesPaperAndFiresOnBeginPage)
{
    TrqReport report;
    TrqPage& page = *report.Pages()[0];
    page.ChangePaper(11, 0, 0, -1, poLandscape);  // A5 landscape
    page.LeftMargin = 10;
    page.BottomMargin = 40;
    page.UseMargins = false;
    std::vector<int> begun, masterBegun;
    TrqReport master;
    report.OnBeginPage = [&](int n) { begun.push_back(n); };
    master.OnBeginPage = [&](int n) { masterBegun.push_back(n); };

    TrqEMFPages& pages = master.EMFPages();
    pages.Add(page);
    pages.Add(page);
    // The page's own report and the report that owns the pages are both told.
    EXPECT_EQ(begun, (std::vector<int>{0, 1}));
    EXPECT_EQ(masterBegun, (std::vector<int>{0, 1}));
    report.EMFPages().Add(page);
    EXPECT_EQ(begun, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(masterBegun.size(), 2u);

    const TrqPreparedPage& e = pages[1];
    EXPECT_EQ(std::tuple(e.PaperSize, e.PaperWidth, e.PaperHeight, e.Orientation, e.PaperBin, e.UseMargins),
              std::tuple(uint16_t(11), 2100, 1480, uint8_t(poLandscape), -1, uint8_t(0)));
    EXPECT_EQ(std::tuple(e.LeftMargin, e.TopMargin, e.RightMargin, e.BottomMargin), std::tuple(10, 0, 0, 40));
    EXPECT_EQ(e.PrnInfo, page.PrnInfo);
    EXPECT_EQ(e.Stream->Bytes(), std::string(1, '\x18'));
    EXPECT_EQ(std::tuple(e.InView, e.DisplayRect, e.CachedPage.get()), std::tuple(uint8_t(0), TrqRect{}, nullptr));

    // Insert places, Delete removes, Clear empties.
    page.ChangePaper(9, 0, 0, -1, poPortrait);
    pages.Insert(0, page);
    EXPECT_EQ(pages[0].PaperSize, 9);
    EXPECT_EQ(pages.Count(), 3);
    pages.Delete(0);
    EXPECT_EQ(pages[0].PaperSize, 11);
    pages.Delete(7);
    pages.Clear();
    EXPECT_EQ(pages.Count(), 0);
}

TEST_F(PagesTest, DrawMakesViewsFromTheStreamAndReleasesThem)
{
    TrqReport report;
    int index = fixtures::AddMemoPage(report, {{30, 30, 200, 20, "first"}, {30, 600, 200, 20, "second"}});
    TrqEMFPages& pages = report.EMFPages();

    // Not in view: nothing is drawn and no views are made.
    EXPECT_TRUE(drawPage(pages, index).texts.empty());
    EXPECT_EQ(pages[index].CachedPage, nullptr);

    pages[index].InView = 1;
    EXPECT_EQ(texts(drawPage(pages, index)), (std::vector<AnsiString>{"first", "second"}));
    ASSERT_NE(pages[index].CachedPage, nullptr);
    EXPECT_EQ(pages[index].CachedPage->Count(), 2);
    EXPECT_EQ(report.CurrentPage(), pages[index].CachedPage.get());
    // A repaint of a strip draws only the views near it.
    EXPECT_EQ(texts(drawPage(pages, index, QRegion(0, 560, 758, 50))), (std::vector<AnsiString>{"second"}));

    pages[index].InView = 0;
    drawPage(pages, index);
    EXPECT_EQ(pages[index].CachedPage, nullptr);
    EXPECT_EQ(report.CurrentPage(), nullptr);
    pages[index].InView = 1;
    EXPECT_EQ(texts(drawPage(pages, index)).size(), 2u);

    // Scaled into half the size: the views land at half their place (the gaps
    // shrink with them: GapY 1 becomes 0, GapX 2 becomes 1).
    Drawn d{blankImage(400, 600, White), {}};
    {
        QPainter painter(&d.image);
        TrqCanvas canvas(painter);
        canvas.OnTextOut = [&](const AnsiString& text, const TrqRect& box) { d.texts.push_back({text, box}); };
        pages.Draw(index, canvas, {20, 10, 20 + 379, 10 + 535});
    }
    ASSERT_EQ(d.texts.size(), 2u);
    EXPECT_EQ(d.texts[1].box.Top, 10 + 300);
    EXPECT_EQ(d.texts[1].box.Left, 20 + 15 + 1);
}

TEST_F(PagesTest, AnEmptyPageIsABlankSheet)
{
    TrqReport report;
    int index = fixtures::AddPage(report, {});
    TrqEMFPages& pages = report.EMFPages();
    pages[index].InView = 1;
    Drawn d = drawPage(pages, index);
    EXPECT_TRUE(d.texts.empty());
    EXPECT_EQ(d.image, blankImage(758, 1071, White));
    int cursor = 0;
    report.OnObjectClick = [](TrqView*) { FAIL(); };
    EXPECT_FALSE(pages.HitObject(index, 100, 100, true, cursor));
}

TEST_F(PagesTest, HitObjectFindsTheLastViewUnderThePoint)
{
    TrqReport report;
    int index = fixtures::AddMemoPage(report, {{100, 100, 100, 50, "under"}, {150, 120, 100, 50, "over"}});
    TrqEMFPages& pages = report.EMFPages();
    std::vector<AnsiString> clicked;
    report.OnObjectClick = [&](TrqView* view) { clicked.push_back(view->Memo[0]); };

    struct Case {
        int x, y;
        const char* hit;
    } cases[] = {
        {160, 130, "over"},  {120, 110, "under"}, {100, 100, "under"},  // the left and top edges are inside
        {199, 149, "over"},  {250, 130, nullptr}, {175, 170, nullptr},  // the right and bottom edges are not
        {99, 120, nullptr},  {249, 169, "over"},
    };
    int cursor = 0;
    for (const Case& c : cases) {
        clicked.clear();
        EXPECT_EQ(pages.HitObject(index, c.x, c.y, true, cursor), c.hit != nullptr) << c.x << "," << c.y;
        EXPECT_EQ(clicked, c.hit ? std::vector<AnsiString>{c.hit} : std::vector<AnsiString>{}) << c.x << "," << c.y;
    }

    // Moving over a view goes to OnMouseOverObject, which may set the cursor.
    EXPECT_FALSE(pages.HitObject(index, 160, 130, false, cursor));
    report.OnMouseOverObject = [](TrqView*, int& c) { c = 7; };
    EXPECT_TRUE(pages.HitObject(index, 160, 130, false, cursor));
    EXPECT_EQ(cursor, 7);
    report.OnObjectClick = nullptr;
    EXPECT_FALSE(pages.HitObject(index, 160, 130, true, cursor));
}

TEST_F(PagesTest, HitObjectOnAPageStretchedToThePrintableArea)
{
    TrqReport report;
    TrqPage& page = *report.Pages()[0];
    page.UseMargins = false;
    page.LeftMargin = 40;
    page.TopMargin = 20;
    page.RightMargin = 40;
    page.BottomMargin = 20;
    auto memo = fixtures::Memo(0, 0, 379, 100, {"x"});  // half the paper's width
    int index = fixtures::AddPage(report, {memo.get()});
    TrqEMFPages& pages = report.EMFPages();
    // A4 on the virtual printer: 758 x 1071 units, printable 722 x 1035 from (18, 18).
    // kx = (722 - 80) / 758, the box starts at 18 + 40 = 58 and ends at 58 + 321.
    TrqView* top = pages.ObjectAt(index, 58, 38);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(pages.ObjectAt(index, 57, 38), nullptr);
    EXPECT_NE(pages.ObjectAt(index, 378, 38), nullptr);
    EXPECT_EQ(pages.ObjectAt(index, 379, 38), nullptr);
}

TEST_F(PagesTest, AutoWidthMemosAreFittedWhenThePageIsMade)
{
    TrqReport report;
    auto memo = fixtures::Memo(100, 100, 600, 20, {"fit"}, rqtaRight);
    memo->SetFlag(flAutoWidth, true);
    int index = fixtures::AddPage(report, {memo.get()});
    TrqEMFPages& pages = report.EMFPages();
    pages.BuildPageObjects(index);
    TrqView& view = *pages[index].CachedPage->Objects(0);
    EXPECT_LT(view.Width, 50);
    EXPECT_EQ(view.Left + view.Width, 700);
}

TEST_F(PagesTest, DamagedPageStreamsFailTheDrawThatNeedsThem)
{
    TrqReport report;
    int index = fixtures::AddMemoPage(report, {{10, 10, 100, 20, "text"}});
    TrqEMFPages& pages = report.EMFPages();
    pages[index].InView = 1;
    const std::string whole = pages[index].Stream->Bytes();

    // A record cut short.
    pages[index].Stream = std::make_unique<TMemoryStream>(whole.substr(0, whole.size() - 3));
    EXPECT_THROW(drawPage(pages, index), EReadError);
    EXPECT_EQ(pages[index].CachedPage, nullptr);
    EXPECT_EQ(report.CurrentPage(), nullptr);

    // Bands, sub-reports and unknown kinds never occur on a page.
    for (char kind : {'\x02', '\x03', '\x07'}) {
        pages[index].Stream = std::make_unique<TMemoryStream>(std::string("\x18") + kind + whole.substr(2));
        EXPECT_THROW(pages.BuildPageObjects(index), EPreparedReportError) << int(kind);
    }

    // An add-in class that is not registered names itself.
    pages[index].Stream = std::make_unique<TMemoryStream>(whole);
    DateCheck check;
    pages.AppendView(index, check);
    EXPECT_THAT([&] { pages.BuildPageObjects(index); },
                ThrowsMessage<EPreparedReportError>(HasSubstr("non-plugged components:\rTrqDateCheck\r")))
        << "an unknown add-in class was accepted";
    // Once registered the same page reads.
    RegisterAddIn("TrqDateCheck", [] { return std::make_unique<DateCheck>(); });
    pages.BuildPageObjects(index);
    UnregisterAddIn("TrqDateCheck");
    ASSERT_EQ(pages[index].CachedPage->Count(), 2);
    EXPECT_STREQ(pages[index].CachedPage->Objects(1)->ClassName(), "TrqDateCheck");
}

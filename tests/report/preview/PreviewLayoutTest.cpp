// The preview's layout of pages: zoom by mode, rows and columns, centring and
// scroll ranges, and what a damaged paper or a tiny window does to the zoom.
#include "report/pages/PagesTestBase.h"
#include "report/pages/PreparedFixtures.h"
#include "report/windows/PreviewLayout.h"

#include <gtest/gtest.h>

namespace {
class PreviewLayoutTest : public PagesTest {
protected:
    TrqEMFPages& pagesOf(int count)
    {
        for (int i = 0; i < count; ++i) fixtures::AddMemoPage(report, {{40, 40, 200, 20, "x"}});
        return report.EMFPages();
    }
    TrqReport report;
};
}  // namespace

TEST_F(PreviewLayoutTest, PagesByZoomMode)
{
    // A4 on the virtual printer: 758 x 1071 report units.
    struct Case {
        int pages, mode;
        double zoom;
        int width, height;
        double expectedZoom;
        int columns;
        TrqRect first, second;
        int hmax, vmax;
        const char* why;
    } cases[] = {
        {1, zmPercent, 1.0, 1200, 1200, 1.0, 1, {221, 10, 979, 1081}, {}, 0, 0,
         "one page at 100 % in a wide window: centred, 10 pixels from the top, nothing to scroll"},
        {1, zmPercent, 1.0, 700, 600, 1.0, 1, {10, 10, 768, 1081}, {}, 78, 491,
         "a page wider than the area starts at 10 and scrolls"},
        {2, zmTwoPages, 1.0, 1000, 800, 970.0 / 1516, 2, {10, 10, 495, 695}, {505, 10, 990, 695}, 0, 0,
         "two pages side by side, 10 pixels around and between them"},
        {2, zmWholePage, 1.0, 1000, 800, 780.0 / 1071, 1, {224, 10, 776, 790}, {224, 800, 776, 1580}, 0, 790,
         "whole page fits the height less 20 pixels, one column"},
        {3, zmPageWidth, 1.0, 500, 400, 480.0 / 758, 1, {10, 10, 490, 688}, {10, 698, 490, 1376}, 0, 1674,
         "page width fits the width less 20 pixels"},
        {4, zmPercent, 0.25, 1000, 800, 0.25, 4, {10, 10, 200, 278}, {210, 10, 400, 278}, 0, 0,
         "as many pages to a row as fit"},
    };
    for (const Case& c : cases) {
        report.EMFPages().Clear();
        TrqEMFPages& pages = pagesOf(c.pages);
        const TrqPreviewLayout layout = LayoutPreviewPages(pages, 0, c.mode, c.zoom, c.width, c.height);
        EXPECT_DOUBLE_EQ(layout.Zoom, c.expectedZoom) << c.why;
        EXPECT_EQ(layout.Columns, c.columns) << c.why;
        EXPECT_EQ(pages[0].DisplayRect, c.first) << c.why;
        if (c.pages > 1) EXPECT_EQ(pages[1].DisplayRect, c.second) << c.why;
        EXPECT_EQ(layout.HMax, c.hmax) << c.why;
        EXPECT_EQ(layout.VMax, c.vmax) << c.why;
    }
}

TEST_F(PreviewLayoutTest, DamagedPaperAndTinyWindowsKeepAPositiveZoom)
{
    TrqEMFPages& pages = pagesOf(2);
    pages[0].PrnInfo.PaperWidthUnits = 0;  // a damaged file
    pages[0].PrnInfo.PaperHeightUnits = 0;
    for (int mode : {zmPageWidth, zmWholePage, zmTwoPages})
        EXPECT_DOUBLE_EQ(LayoutPreviewPages(pages, 0, mode, 0.5, 800, 600).Zoom, 0.5) << mode;
    for (int mode : {zmPageWidth, zmWholePage, zmTwoPages}) {
        const TrqPreviewLayout layout = LayoutPreviewPages(pages, 1, mode, 1.0, 4, 3);
        EXPECT_DOUBLE_EQ(layout.Zoom, MinimumZoom) << mode;
        EXPECT_GE(pages[1].DisplayRect.Width(), 0) << mode;
    }
}

TEST_F(PreviewLayoutTest, ThePageAtTheTopOfTheView)
{
    TrqEMFPages& pages = pagesOf(3);
    LayoutPreviewPages(pages, 0, zmPercent, 1.0, 800, 600);  // tops 10, 1091, 2172
    EXPECT_EQ(PageAtScrollPosition(pages, 0), 0);
    EXPECT_EQ(PageAtScrollPosition(pages, 1069), 0);  // 1080 is still inside page 1
    EXPECT_EQ(PageAtScrollPosition(pages, 1080), -1);  // 1091 lies between the pages
    EXPECT_EQ(PageAtScrollPosition(pages, 1081), 1);
    EXPECT_EQ(PageAtScrollPosition(pages, 5000), -1);
}

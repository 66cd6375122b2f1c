// The grid's preview: by default it opens with the first pages while the rest
// of the grid is still being built, and the pages go on arriving in the open
// window until the whole grid is there; closing it early stops the build.
// Built whole first, it opens with every page. Printing needs a printer.
#include "GridPrintFixture.h"

#include "gridprint/GridPrint.h"
#include "report/windows/PreviewForm.h"
#include "report/windows/SpeedButton.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <gmock/gmock.h>

namespace {

// What the preview window showed when it opened.
struct Opened {
    int calls = 0;
    bool building = false;
    int shown = 0;     // pages in the window
    int built = 0;     // pages the report had built by then
    std::string caption;
};

class GridPreviewTest : public GridPrintTest {
protected:
    // The pages of the whole grid, built without windows.
    int TotalPages(const TqvGridPrintOptions& options = {})
    {
        Prepare(options);
        const int pages = PageCount();
        printed.reset();
        return pages;
    }

    // Answers the preview window at once, noting what it showed.
    void AnswerPreview(Opened& opened)
    {
        SetModalHook([&opened](QDialog& dialog) {
            auto* form = dynamic_cast<TrqPreviewForm*>(&dialog);
            EXPECT_NE(form, nullptr) << "another window opened";
            if (!form) return int(QDialog::Rejected);
            ++opened.calls;
            opened.building = form->Building();
            opened.shown = form->PageCount();
            opened.built = form->Report()->EMFPages().Count();
            opened.caption = dialog.windowTitle().toStdString();
            return int(QDialog::Rejected);
        });
    }

    // Runs `act` on the open preview window (found among the top-level
    // windows) each time events are let through, until it returns true.
    void WhilePreviewOpen(std::function<bool(TrqPreviewForm&)> act)
    {
        SetModalHook({});
        auto* timer = new QTimer(qApp);
        timer->setInterval(1);
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* form = dynamic_cast<TrqPreviewForm*>(w); form && form->isVisible() && act(*form)) {
                    timer->stop();
                    timer->deleteLater();
                    return;
                }
        });
        timer->start();
    }
};

TEST_F(GridPreviewTest, OpensWithTheFirstPagesBeforeTheRestIsBuilt)
{
    InsertRows(600);
    MakeGrid();
    const int total = TotalPages();
    ASSERT_GE(total, 5);
    Opened opened;
    AnswerPreview(opened);
    TqvGridPrintOptions options;
    options.Title = "Articles";
    options.PaperSize = 9;
    PreviewGrid(*grid, options);
    EXPECT_EQ(opened.calls, 1);
    EXPECT_TRUE(opened.building);
    EXPECT_GE(opened.shown, 1);
    EXPECT_LT(opened.built, total);
    EXPECT_EQ(opened.caption, "Preview - Articles");
}

TEST_F(GridPreviewTest, BuiltWholeFirstItOpensWithEveryPage)
{
    InsertRows(200);
    MakeGrid();
    TqvGridPrintOptions options;
    options.WholeReportFirst = true;
    options.PaperSize = 9;
    const int total = TotalPages(options);
    Opened opened;
    AnswerPreview(opened);
    PreviewGrid(*grid, options);
    EXPECT_EQ(opened.calls, 1);
    EXPECT_FALSE(opened.building);
    EXPECT_EQ(opened.shown, total);
}

TEST_F(GridPreviewTest, TheOpenWindowGetsEveryPageWhenTheBuildEnds)
{
    InsertRows(300);
    MakeGrid();
    const int total = TotalPages();
    bool sawBuilding = false;
    int finalPages = -1;
    std::string lastPage;
    WhilePreviewOpen([&](TrqPreviewForm& form) {
        if (form.Building()) {
            sawBuilding = true;
            EXPECT_FALSE(form.PrintBtn->isEnabled() || form.SaveBtn->isEnabled());
            return false;
        }
        finalPages = form.PageCount();
        lastPage = form.Label1->text().toStdString();
        form.ExitBtnClick();
        return true;
    });
    TqvGridPrintOptions options;
    options.PaperSize = 9;
    PreviewGrid(*grid, options);
    EXPECT_TRUE(sawBuilding);
    EXPECT_EQ(finalPages, total);
    EXPECT_EQ(lastPage, "Page 1/" + std::to_string(total));
}

TEST_F(GridPreviewTest, ClosingTheWindowWhileBuildingStopsTheBuild)
{
    InsertRows(600);
    MakeGrid();
    int rowsRead = 0;
    columns[1]->OnGetText = [&](TComponent*, TqvTreeListNode*, AnsiString&) { ++rowsRead; };
    const int readForAll = [&] {
        TotalPages();
        const int n = rowsRead;
        rowsRead = 0;
        return n;
    }();
    WhilePreviewOpen([&](TrqPreviewForm& form) {
        EXPECT_TRUE(form.Building());
        form.ExitBtnClick();
        return true;
    });
    PreviewGrid(*grid);
    EXPECT_GT(rowsRead, 0);
    EXPECT_LT(rowsRead, readForAll / 2);
}

TEST_F(GridPreviewTest, WithoutAPrinterNothingIsPrinted)
{
    InsertRows(10);
    MakeGrid();
    EXPECT_FALSE(PrintGrid(*grid));  // no window opens either (the fixture's hook)
}

}  // namespace

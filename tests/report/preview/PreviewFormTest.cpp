// The preview window: zoom, keys, the mouse, scrolling long reports, and a
// report freed while its preview is open.
#include "PreviewFixture.h"
#include "support/MetafileBytes.h"
#include "report/windows/Preview.h"
#include "report/windows/PreviewLayout.h"
#include "report/windows/SpeedButton.h"

#include <QLabel>
#include <QMenu>
#include <QScrollBar>

TEST_F(PreviewTest, OpensOnPageOneWithTheButtonsOfTheReport)
{
    addPages(3);
    report.SetPreviewButtons(PreviewButtonBit(pbZoom) | PreviewButtonBit(pbPrint) | PreviewButtonBit(pbExit));
    TrqPreviewForm& f = open(1200, 1300);
    EXPECT_EQ(f.Label1->text(), "Page 1/3");
    EXPECT_EQ(f.ZoomBtn->Caption(), "100%");
    EXPECT_TRUE(f.ZoomBtn->isVisibleTo(&f));
    EXPECT_FALSE(f.LoadBtn->isVisibleTo(&f));
    EXPECT_FALSE(f.rqTBSeparator3->isVisibleTo(&f));  // neither find nor help
    EXPECT_TRUE(f.ExitBtn->isVisibleTo(&f));
    EXPECT_FALSE(f.PrintBtn->isEnabled());  // the virtual printer alone cannot print
    EXPECT_FALSE(f.PageSetupBtn->isEnabled());
    EXPECT_EQ(report.EMFPages().Count(), 0);  // the window holds the pages now
    // One page at 100 % in a wide window: centred, 10 pixels from the top.
    const TrqRect& first = (*f.Pages())[0].DisplayRect;
    EXPECT_EQ(first.Top, 10);
    EXPECT_EQ(first.Left, (f.PBox->width() - 758) / 2);
    EXPECT_FALSE(f.HScrollBar->isEnabled());
    EXPECT_TRUE(f.VScrollBar->isEnabled());
}

TEST_F(PreviewTest, ZoomMenuSetsTheZoomOfThisAndTheNextPreview)
{
    addPages(2);
    TrqPreviewForm& f = open(900, 700);
    f.N3Click(zmWholePage);
    EXPECT_EQ(f.ZoomMode, zmWholePage);
    EXPECT_DOUBLE_EQ(f.Zoom, (f.PBox->height() - 20) / 1071.0);
    EXPECT_EQ(f.ZoomBtn->Caption(), std::to_string(std::lround(f.Zoom * 100)) + "%");
    f.N3Click(50);
    EXPECT_EQ(f.ZoomBtn->Caption(), "50%");
    const auto checked = [&] {
        for (QAction* a : f.ProcMenu->actions())
            if (a->isChecked()) return a->text();
        return QString();
    };
    EXPECT_EQ(checked(), "50%");
    f.N3Click(zmPageWidth);
    EXPECT_EQ(checked(), "&Page width");
    delete form.data();

    // The next preview of the process opens in page-width mode.
    report.EMFPages().Clear();
    addPages(1);
    TrqPreviewForm& next = open(900, 700);
    EXPECT_EQ(next.ZoomMode, zmPageWidth);
    EXPECT_DOUBLE_EQ(next.Zoom, (next.PBox->width() - 20) / 758.0);
}

TEST_F(PreviewTest, KeysPageAndScroll)
{
    addPages(5);
    TrqPreviewForm& f = open(800, 600);
    key(Qt::Key_PageDown);
    EXPECT_EQ(f.VPosition(), 200);
    key(Qt::Key_Down);
    EXPECT_EQ(f.VPosition(), 210);
    key(Qt::Key_Up);
    key(Qt::Key_PageUp);
    EXPECT_EQ(f.VPosition(), 0);

    key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(f.CurrentPage, 2);
    EXPECT_EQ(f.VPosition(), (*f.Pages())[1].DisplayRect.Top - 10);
    EXPECT_EQ(f.Label1->text(), "Page 2/5");

    key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(f.CurrentPage, 5);
    EXPECT_EQ(f.Label1->text(), "Page 5/5");
    key(Qt::Key_PageDown, Qt::ControlModifier);  // on the last page
    EXPECT_EQ(f.CurrentPage, 5);

    key(Qt::Key_Home);  // Home only with Ctrl
    EXPECT_EQ(f.CurrentPage, 5);
    key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(f.VPosition(), 0);
    EXPECT_EQ(f.CurrentPage, 1);

    key(Qt::Key_Tab);  // never moves the focus away
    EXPECT_TRUE(f.ScrollBox1->hasFocus() || !QApplication::focusWidget());
    key(Qt::Key_F3);  // nothing to find yet
    key(Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(PreviewTest, ClicksGoToTheObjectUnderTheMouseElseDragThePages)
{
    addPages(3);
    std::vector<AnsiString> clicked;
    report.OnObjectClick = [&](TrqView* view) { clicked.push_back(view->Memo.Text()); };
    TrqPreviewForm& f = open(800, 600);
    mouse(QEvent::MouseButtonPress, onPage(0, 60, 45));
    mouse(QEvent::MouseButtonRelease, onPage(0, 60, 45));
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], "Text\r\n");

    key(Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(f.CurrentPage, 2);
    // On the grey beside the pages: dragging starts, the page stays.
    const QPoint grey(3, 300);
    mouse(QEvent::MouseButtonPress, grey);
    EXPECT_EQ(f.CurrentPage, 2);
    const int before = f.VPosition();
    mouse(QEvent::MouseMove, grey - QPoint(0, 50));
    EXPECT_EQ(f.VPosition(), before + 50);  // the pages follow the mouse
    mouse(QEvent::MouseButtonRelease, grey - QPoint(0, 50));
    mouse(QEvent::MouseMove, grey);
    EXPECT_EQ(f.VPosition(), before + 50);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST_F(PreviewTest, ScrollingKeepsViewsOnlyForThePagesInView)
{
    addPages(500);
    TrqPreviewForm& f = open(800, 600);
    const int maximum = f.VScrollBar->maximum();
    ASSERT_GT(maximum, 499 * 1081);
    for (int position = 0; position <= maximum; position += 7919) {
        f.SetVPosition(position);
        f.PBox->repaint();
        EXPECT_LE(cachedPages(), 2) << position;
        for (int i = 0; i < f.PageCount(); ++i) {
            const TrqPreparedPage& page = (*f.Pages())[i];
            if (!page.CachedPage) continue;
            EXPECT_EQ(page.InView, 1) << i;
            EXPECT_LT(page.DisplayRect.Top - position, f.PBox->height()) << i;
            EXPECT_GT(page.DisplayRect.Bottom - position, 0) << i;
        }
    }
    EXPECT_EQ(f.CurrentPage, 1 + PageAtScrollPosition(*f.Pages(), f.VPosition()));
}

TEST_F(PreviewTest, PagesFarDownATallAreaAreDrawn)
{
    addPages(3);
    TrqPreviewForm& f = open(900, 2700);
    ASSERT_GT(f.PBox->height(), 2300);
    const TrqRect& third = (*f.Pages())[2].DisplayRect;
    ASSERT_GT(third.Top, 2000);
    ASSERT_LT(third.Top, f.PBox->height());
    f.PBox->repaint();
    EXPECT_TRUE((*f.Pages())[2].CachedPage);
}

TEST_F(PreviewTest, FreeingTheReportClosesItsPreviewFirst)
{
    auto* owner = new TrqReport;
    owner->SetModalPreview(false);
    fixtures::AddMemoPage(*owner, {{40, 40, 300, 20, "Text"}});
    owner->ShowPreparedReport();
    QPointer<TrqPreviewForm> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = dynamic_cast<TrqPreviewForm*>(w); p && p->Report() == owner) shown = p;
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->isVisible());
    shown->PBox->repaint();  // views made from the pages

    delete owner;
    ASSERT_TRUE(shown);
    EXPECT_FALSE(shown->isVisible());
    EXPECT_EQ(shown->PageCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(shown);
}

TEST_F(PreviewTest, FreeingTheReportEmptiesAnEmbeddedPreview)
{
    QWidget host;
    host.resize(700, 500);
    auto* preview = new TrqPreview(&host);
    preview->resize(700, 500);
    std::vector<int> changes;
    preview->OnPageChanged = [&](TrqPreview*, int page) { changes.push_back(page); };
    auto* owner = new TrqReport;
    fixtures::AddMemoPage(*owner, {{40, 40, 300, 20, "Text"}});
    fixtures::AddMemoPage(*owner, {{40, 40, 300, 20, "Text"}});
    owner->SetPreview(preview);
    host.show();
    owner->ShowPreparedReport();
    QApplication::processEvents();
    EXPECT_EQ(preview->Connected(), owner);
    EXPECT_EQ(preview->Form().PageCount(), 2);
    EXPECT_FALSE(preview->Form().ExitBtn->isVisibleTo(preview));
    EXPECT_EQ(preview->Form().WheelFactor, 3);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), 1);

    delete owner;
    EXPECT_EQ(preview->Connected(), nullptr);
    EXPECT_EQ(preview->Form().PageCount(), 0);
    preview->repaint();
    EXPECT_TRUE(preview->Form().Label1->text().isEmpty());
}

TEST_F(PreviewTest, AModalPreviewHoldsThePagesUntilItCloses)
{
    addPages(2);
    report.SetModalPreview(true);
    report.SetTitle("Invoice");
    bool shown = false;
    answer<TrqPreviewForm>([&](TrqPreviewForm& f) {
        shown = true;
        EXPECT_EQ(f.windowTitle(), "Preview - Invoice");
        EXPECT_EQ(f.PageCount(), 2);
        EXPECT_EQ(f.Label1->text(), "Page 1/2");
        EXPECT_EQ(report.EMFPages().Count(), 0);
    });
    report.ShowPreparedReport();
    EXPECT_TRUE(shown);
    EXPECT_EQ(report.EMFPages().Count(), 0);  // the pages went with the window
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(dynamic_cast<TrqPreviewForm*>(w), nullptr);

    report.ShowPreparedReport();  // no pages: nothing happens
}

TEST_F(PreviewTest, MetafileLogosShowInTheWindow)
{
    // The two metafiles side by side, each 200 × 100 units.
    std::vector<std::unique_ptr<TrqPictureView>> logos;
    for (const std::string& bytes : {metafiles::Emf(), metafiles::Wmf()}) {
        logos.push_back(std::make_unique<TrqPictureView>());
        TrqPictureView& logo = *logos.back();
        logo.Left = 60 + 240 * int(logos.size() - 1);
        logo.Top = 60;
        logo.Width = 200;
        logo.Height = 100;
        logo.Picture.Assign(gkMetafile, bytes);
    }
    fixtures::AddPage(report, {logos[0].get(), logos[1].get()});
    TrqPreviewForm& f = open(900, 700);
    const QImage shot = f.grab().toImage();
    for (int left : {60, 300}) {
        SCOPED_TRACE(left);
        // The middle of each red box, mapped from the page into the window.
        const QPoint box = f.PBox->mapTo(&f, onPage(0, left + 100, 60 + 35));
        const QColor c(shot.pixel(box));
        EXPECT_GT(c.red(), 200) << c.name().toStdString();
        EXPECT_LT(c.green() + c.blue(), 80) << c.name().toStdString();
        const QColor below(shot.pixel(f.PBox->mapTo(&f, onPage(0, left + 100, 60 + 97))));
        EXPECT_GT(below.green(), 200) << "white under the drawing";
    }
}

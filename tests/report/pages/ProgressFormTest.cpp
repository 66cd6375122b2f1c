// The progress window: the work starts once the modal loop runs, sets the
// result that closes the window, and Cancel stops the report without closing
// the window under the running work.
#include "report/model/Report.h"
#include "report/windows/ProgressForm.h"
#include "runtime/Application.h"
#include "runtime/Exceptions.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
class ProgressFormTest : public ::testing::Test {
protected:
    void TearDown() override { FreeProgressForm(); }
};
}  // namespace

TEST_F(ProgressFormTest, TheWorkRunsOnceInsideTheModalLoop)
{
    TrqReport report;
    TrqProgressForm& form = rqProgressForm();
    EXPECT_EQ(&form, &rqProgressForm());
    form.SetCaption("Preparing report - Invoice");
    form.SetLabel2("left over from the last run");
    int starts = 0;
    form.OnStart = [&](TrqProgressForm& f) {
        ++starts;
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(f.isModal());
        EXPECT_EQ(f.Report(), &report);
        EXPECT_TRUE(f.Label2->text().isEmpty());
        EXPECT_EQ(f.Button1->text(), "Cancel");
        f.SetLabel1("Processing page:  1");
        Application().ProcessMessages();
        EXPECT_TRUE(f.isVisible());
        f.SetModalResult(mrOk);
        EXPECT_TRUE(f.isVisible()) << "the window closes once the work has returned";
    };
    EXPECT_EQ(form.Show(&report), mrOk);
    EXPECT_EQ(starts, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Preparing report - Invoice");
    EXPECT_EQ(form.size(), QSize(278, 106));
    EXPECT_EQ(form.Button1->geometry(), QRect(100, 68, 75, 25));
    EXPECT_FALSE(report.Terminated);
}

TEST_F(ProgressFormTest, CancelStopsTheReportAtItsNextCheck)
{
    for (const char* how : {"button", "escape", "close box"}) {
        TrqReport report;
        TrqProgressForm& form = rqProgressForm();
        int pages = 0;
        form.OnStart = [&](TrqProgressForm& f) {
            // The user cancels while page 3 is being made; the work sees it after the page.
            while (!report.Terminated && pages < 100) {
                ++pages;
                if (pages == 3) {
                    if (std::string(how) == "button") QTimer::singleShot(0, f.Button1, &QPushButton::click);
                    else if (std::string(how) == "escape")
                        QTimer::singleShot(0, &f, [&f] {
                            QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                            QApplication::sendEvent(&f, &key);
                        });
                    else QTimer::singleShot(0, &f, [&f] { f.close(); });
                }
                Application().ProcessMessages();
                EXPECT_TRUE(f.isVisible()) << how;
            }
            f.SetModalResult(report.Terminated ? mrCancel : mrOk);
        };
        EXPECT_EQ(form.Show(&report), mrCancel) << how;
        EXPECT_TRUE(report.Terminated) << how;
        EXPECT_EQ(pages, 3) << how;
    }
}

TEST_F(ProgressFormTest, WorkThatFailsClosesTheWindow)
{
    TrqReport report;
    std::string shown;
    Application().SetOnException([&](const std::exception& e) { shown = e.what(); });
    rqProgressForm().OnStart = [](TrqProgressForm&) { throw Exception("disk full"); };
    EXPECT_EQ(rqProgressForm().Show(&report), mrCancel);
    Application().SetOnException(nullptr);
    EXPECT_EQ(shown, "disk full");
}

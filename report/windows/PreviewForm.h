#pragma once
// TrqPreviewForm: the preview window of prepared pages. The user zooms,
// scrolls and pages through the report, clicks objects (the report's
// OnObjectClick), finds text, opens and saves prepared-report files, changes
// the page setup (which builds the report again) and prints.
//
// Rules that are easy to break:
// - The window holds its report's prepared pages from Connect on; the report
//   has a new, empty list meanwhile and may build newer pages into it. Print,
//   save and load lend the shown pages to the report (TrqLentPages) and never
//   free the report's own pages.
// - Views of a page exist only while the page is in view: painting releases
//   the views of every page out of view.
// - Painting is off while the pages are laid out (the layout moves them).
// - The report may be freed while the window is open: the window then lets go
//   of its pages first (ReportFreed) and closes.
// - While its report is still being built (ShowBuilding) the window shows the
//   finished pages of the report's own list without taking it; it takes the
//   list when the build is over (BuildFinished). Meanwhile nothing may lend
//   pages to the report or build it again: open, save, print and page setup
//   wait, and only the pages laid out last are painted or hit.
// - Ownership: a window shown on its own is freed when it closes (non-modal) or
//   by ShowPreparedReport (modal); inside a TrqPreview the control owns it.

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/windows/PreviewFind.h"
#include "runtime/Keys.h"

#include <QDialog>
#include <QElapsedTimer>

#include <functional>
#include <memory>
#include <optional>

class QFrame;
class QLabel;
class QMenu;
class QScrollBar;
class TrqPreviewForm;
class TrqSpeedButton;
class TrqTBButton;
class TrqTBSeparator;

// The page area: grey around white sheets. It erases nothing itself; its
// painting covers everything.
class TrqPBox : public QWidget {
public:
    TrqPBox(TrqPreviewForm& form, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TrqPreviewForm& form_;
};

// The caption of a report's preview window: "Preview", and " - " and the
// report's title when it has one.
QString PreviewCaption(const TrqReport& report);

class TrqPreviewForm : public QDialog, public TrqPreviewLink {
public:
    explicit TrqPreviewForm(QWidget* parent = nullptr);
    ~TrqPreviewForm() override;

    // The components, named as the window's designer named them.
    QFrame* TopPanel;
    QWidget* Panel1;  // the toolbar
    TrqTBButton* ZoomBtn;
    TrqTBSeparator* rqTBSeparator1;
    TrqTBButton* LoadBtn;
    TrqTBButton* SaveBtn;
    TrqTBButton* PrintBtn;
    TrqTBButton* PageSetupBtn;
    TrqTBSeparator* rqTBSeparator2;
    TrqTBButton* FindBtn;
    TrqTBButton* HelpBtn;
    TrqTBSeparator* rqTBSeparator3;
    TrqTBButton* ExitBtn;
    QWidget* PreviewPanel;
    QWidget* ScrollBox1;
    TrqPBox* PBox;
    QWidget* RPanel;
    QScrollBar* VScrollBar;
    TrqSpeedButton* PgUp;
    TrqSpeedButton* PgDown;
    QWidget* BPanel;
    QLabel* Label1;  // the page label
    QScrollBar* HScrollBar;
    QMenu* ProcMenu;  // the zoom menu

    // View state.
    int CurrentPage = 1;  // from 1
    double Zoom = 1.0;    // screen pixels per report unit
    int ZoomMode = 0;     // TrqZoomMode
    int32_t ContentOffsetX = 0, ContentOffsetY = 0;
    int WheelFactor = 1;
    // Find state: the text (upper-cased unless case sensitive), and where the
    // next search goes on (0-based page, text item).
    AnsiString FindText;
    bool CaseSensitive = false;
    int ResumePage = 0, ResumeIndex = 0;
    // Called whenever the page label changes, with CurrentPage.
    std::function<void(int page)> OnPageChanged;

    // Zoom state shared by every preview of the process: a preview opens with
    // it and stores the zoom the user chooses.
    static double LastZoom;
    static int LastZoomMode;

    TrqReport* Report() const { return report_; }
    // The pages shown (null when there are none): the window's own, or while
    // the report is being built the report's list, of which PageCount are shown.
    TrqEMFPages* Pages() const { return building_ ? building_ : pages_.get(); }
    std::unique_ptr<TrqEMFPages>& PagesHolder() { return pages_; }
    int PageCount() const { return building_ ? shownWhileBuilding_ : pages_ ? pages_->Count() : 0; }
    // The report is still building the pages shown.
    bool Building() const { return building_ != nullptr; }
    bool PaintingEnabled() const { return paintingEnabled_; }
    // The last match of the find command: page index and box in report units.
    std::optional<std::pair<int, TrqRect>> Match() const { return match_; }

    // Takes the report's prepared pages (freeing any held before); the
    // report gets a new, empty list.
    void Connect(TrqReport* report);
    // Gives the pages back to the report when it holds none of its own
    // (newer pages of the report are kept; the window's go then) and lets go
    // of the report.
    void Disconnect();
    // Shows the window for the report: connect, buttons, a fresh view on page
    // 1, the placement of the last window; modal or not.
    void ShowFor(TrqReport* report, bool modal);
    // Shows the first `finished` pages of a report that is still being built
    // (the window is modal): the view as ShowFor sets it, the commands that
    // need the whole report off until BuildFinished.
    void ShowBuilding(TrqReport* report, int finished);
    // More pages are finished; the window lays them out now and then (a
    // layout walks every page), keeping the user's place.
    void PagesFinished(int finished);
    // The build is over: the window takes the report's pages, lays them all
    // out and offers every command again.
    void BuildFinished();

    void ApplyButtons();
    void ResetView(bool toFirstPage);
    void FormResize();
    void ShowCurrentPage();
    void UpdatePageLabel();
    void PgUpClick();
    void PgDownClick();
    void ZoomBtnClick();
    void N3Click(int tag);
    void LoadBtnClick();
    void SaveBtnClick();
    void PrintBtnClick();
    void PageSetupBtnClick();
    void FindBtnClick();
    void FindNext();
    void ExitBtnClick();
    void HelpBtnClick();
    // The key handling of the window; true when the key was used.
    bool FormKeyDown(Word key, TShiftState shift);

    // Inside a TrqPreview: no help or exit button, the wheel scrolls three
    // times as far, and a right click shows the control's menu when it has one.
    void SetEmbedded(bool embedded, QMenu* popupMenu = nullptr);
    bool Embedded() const { return embedded_; }

    // Scroll positions (the scroll bars' values).
    int32_t HPosition() const;
    int32_t VPosition() const;
    void SetHPosition(int32_t position);
    void SetVPosition(int32_t position);

    void ReportFreed() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TrqPBox;
    void buildToolbar();
    void buildPreviewPanel();
    void buildZoomMenu();
    void checkZoomItem();
    void onVScroll(int position);
    void onHScroll(int position);
    void releaseAllViews();
    // ApplyButtons, a fresh view on page 1, the placement of the last window.
    void openView();
    // Lays the pages out again keeping the scroll position (pages were added).
    void layOutKeepingPlace();
    void savePlacement();
    bool havePrinter() const;
    // Painting and the mouse (PreviewPaint.cpp).
    void paintPages(QPainter& painter, const QRegion& region);
    int pageAt(const QPoint& point) const;
    QPoint toUnits(int page, const QPoint& point) const;
    void mousePress(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    void mouseDoubleClick(QMouseEvent* event);
    void wheel(QWheelEvent* event);
    void reportPageError(int page, const std::exception& error);

    TrqReport* report_ = nullptr;
    std::unique_ptr<TrqEMFPages> pages_;
    bool paintingEnabled_ = true;
    bool modal_ = false;
    bool embedded_ = false;
    bool reportGone_ = false;
    QMenu* popupMenu_ = nullptr;
    int32_t prevH_ = 0, prevV_ = 0;
    bool dragging_ = false;
    QPoint dragPoint_;
    int wheelRemainder_ = 0;
    std::optional<std::pair<int, TrqRect>> match_;
    std::vector<bool> failedPages_;  // pages whose error has been shown
    // While the report builds: its list, the pages finished, those laid out
    // and shown, and the time since they were laid out.
    TrqEMFPages* building_ = nullptr;
    int finishedWhileBuilding_ = 0;
    int shownWhileBuilding_ = 0;
    QElapsedTimer sinceLayout_;

public:
    // True once the report this window showed has been freed.
    bool ReportGone() const { return reportGone_; }
};

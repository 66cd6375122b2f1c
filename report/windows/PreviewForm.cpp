// The preview window: its components, connecting to a report, the buttons,
// the view (zoom, layout, scrolling, page label), the keys and the window's
// placement. Painting and the mouse are in PreviewPaint.cpp, the commands
// (zoom menu, open, save, print, page setup, find) in PreviewCommands.cpp.
#include "report/windows/PreviewForm.h"

#include "report/canvas/Canvas.h"
#include "report/printer/Printer.h"
#include "report/texts/EngineTexts.h"
#include "report/windows/PreviewIcons.h"
#include "report/windows/PreviewLayout.h"
#include "report/windows/PrintWithDialog.h"
#include "report/windows/PreviewPlacement.h"
#include "report/windows/ProgressForm.h"
#include "report/windows/SpeedButton.h"
#include "runtime/Application.h"

#include <QActionGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWhatsThis>

#include <algorithm>
#include <cmath>

double TrqPreviewForm::LastZoom = 1.0;
int TrqPreviewForm::LastZoomMode = zmPercent;

namespace {
constexpr int ScaleHint = 53024, OpenHint = 53025, SaveHint = 53026, PrintHint = 53027, FindHint = 53028,
              HelpHint = 53032, CloseHint = 53023;
constexpr int PageWidthText = 53020, WholePageText = 53021, TwoPagesText = 53022, PageText = 55004;
constexpr int SmallChange = 10, LargeChange = 200;
const QColor PageAreaGrey(0x80, 0x80, 0x80);

QString engineText(int id) { return AnsiToQString(TrqLocale::LoadText(id)); }

TrqTBButton* toolButton(QWidget* parent, QBoxLayout* layout, TrqPreviewIcon icon, int hint)
{
    auto* button = new TrqTBButton(parent);
    button->SetPicture(PreviewIcon(icon).toImage());
    if (hint) button->setToolTip(engineText(hint));
    button->setWhatsThis(button->toolTip());
    layout->addWidget(button);
    return button;
}

TrqTBSeparator* separator(QWidget* parent, QBoxLayout* layout)
{
    auto* s = new TrqTBSeparator(parent);
    s->setFixedHeight(24);
    layout->addWidget(s);
    return s;
}
}  // namespace

TrqPreviewForm::TrqPreviewForm(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TrqPreviewForm"));
    setSizeGripEnabled(false);
    resize(800, 600);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolbar();
    buildPreviewPanel();
    buildZoomMenu();
    layout->addWidget(TopPanel);
    layout->addWidget(PreviewPanel, 1);
}

TrqPreviewForm::~TrqPreviewForm()
{
    // The pages go while their report is still there; then the report forgets the window.
    pages_.reset();
    if (report_) report_->DetachPreview(this);
}

void TrqPreviewForm::buildToolbar()
{
    TopPanel = new QFrame(this);
    TopPanel->setFixedHeight(33);
    TopPanel->setFrameShape(QFrame::NoFrame);
    auto* topLayout = new QVBoxLayout(TopPanel);
    topLayout->setContentsMargins(4, 2, 0, 3);
    topLayout->setSpacing(0);
    auto* bevel = new QFrame(TopPanel);  // the groove along the top
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setFixedHeight(2);
    topLayout->addWidget(bevel);
    topLayout->addSpacing(4);
    Panel1 = new QWidget(TopPanel);
    Panel1->setFixedHeight(24);
    topLayout->addWidget(Panel1, 0, Qt::AlignLeft);
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);

    ZoomBtn = new TrqTBButton(Panel1);
    ZoomBtn->setFixedSize(53, 24);
    ZoomBtn->setToolTip(engineText(ScaleHint));
    bar->addWidget(ZoomBtn);
    rqTBSeparator1 = separator(Panel1, bar);
    LoadBtn = toolButton(Panel1, bar, TrqPreviewIcon::Open, OpenHint);
    SaveBtn = toolButton(Panel1, bar, TrqPreviewIcon::Save, SaveHint);
    PrintBtn = toolButton(Panel1, bar, TrqPreviewIcon::Print, PrintHint);
    PageSetupBtn = toolButton(Panel1, bar, TrqPreviewIcon::PageSetup, 0);
    rqTBSeparator2 = separator(Panel1, bar);
    FindBtn = toolButton(Panel1, bar, TrqPreviewIcon::Find, FindHint);
    HelpBtn = toolButton(Panel1, bar, TrqPreviewIcon::Help, HelpHint);
    rqTBSeparator3 = separator(Panel1, bar);
    ExitBtn = toolButton(Panel1, bar, TrqPreviewIcon::Exit, CloseHint);

    ZoomBtn->OnClick = [this](TComponent*) { ZoomBtnClick(); };
    LoadBtn->OnClick = [this](TComponent*) { LoadBtnClick(); };
    SaveBtn->OnClick = [this](TComponent*) { SaveBtnClick(); };
    PrintBtn->OnClick = [this](TComponent*) { PrintBtnClick(); };
    PageSetupBtn->OnClick = [this](TComponent*) { PageSetupBtnClick(); };
    FindBtn->OnClick = [this](TComponent*) { FindBtnClick(); };
    HelpBtn->OnClick = [this](TComponent*) { HelpBtnClick(); };
    ExitBtn->OnClick = [this](TComponent*) { ExitBtnClick(); };
}

void TrqPreviewForm::buildPreviewPanel()
{
    PreviewPanel = new QWidget(this);
    auto* panelLayout = new QVBoxLayout(PreviewPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);

    ScrollBox1 = new QWidget(PreviewPanel);
    ScrollBox1->setFocusPolicy(Qt::StrongFocus);
    ScrollBox1->installEventFilter(this);
    auto* boxLayout = new QHBoxLayout(ScrollBox1);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->setSpacing(0);
    PBox = new TrqPBox(*this, ScrollBox1);
    PBox->installEventFilter(this);
    boxLayout->addWidget(PBox, 1);

    RPanel = new QWidget(ScrollBox1);
    RPanel->setFixedWidth(16);
    auto* right = new QVBoxLayout(RPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    VScrollBar = new QScrollBar(Qt::Vertical, RPanel);
    right->addWidget(VScrollBar, 1);
    right->addSpacing(1);
    PgUp = new TrqSpeedButton(RPanel);
    PgUp->setFixedSize(16, 16);
    PgUp->SetPicture(PreviewIcon(TrqPreviewIcon::PageUp).toImage());
    right->addWidget(PgUp);
    PgDown = new TrqSpeedButton(RPanel);
    PgDown->setFixedSize(16, 16);
    PgDown->SetPicture(PreviewIcon(TrqPreviewIcon::PageDown).toImage());
    right->addWidget(PgDown);
    boxLayout->addWidget(RPanel);
    panelLayout->addWidget(ScrollBox1, 1);

    BPanel = new QWidget(PreviewPanel);
    BPanel->setFixedHeight(18);
    auto* bottom = new QHBoxLayout(BPanel);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->setSpacing(3);
    Label1 = new QLabel(BPanel);
    Label1->setFixedWidth(77);
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    Label1->setAlignment(Qt::AlignCenter);
    bottom->addWidget(Label1);
    HScrollBar = new QScrollBar(Qt::Horizontal, BPanel);
    bottom->addWidget(HScrollBar, 1);
    panelLayout->addWidget(BPanel);
    // Under the vertical scroll bar the horizontal one stops short of the corner.
    auto* corner = new QWidget(BPanel);
    corner->setObjectName(QStringLiteral("corner"));
    corner->setFixedWidth(16);
    bottom->addWidget(corner);

    for (QScrollBar* bar : {VScrollBar, HScrollBar}) {
        bar->setSingleStep(SmallChange);
        bar->setPageStep(LargeChange);
        bar->setRange(0, 0);
        bar->setFocusPolicy(Qt::NoFocus);  // the keys belong to the page area
    }
    connect(VScrollBar, &QScrollBar::valueChanged, this, Guarded([this](int v) { onVScroll(v); }));
    connect(HScrollBar, &QScrollBar::valueChanged, this, Guarded([this](int v) { onHScroll(v); }));
    PgUp->OnClick = [this](TComponent*) { PgUpClick(); };
    PgDown->OnClick = [this](TComponent*) { PgDownClick(); };
}

void TrqPreviewForm::buildZoomMenu()
{
    ProcMenu = new QMenu(this);
    auto* group = new QActionGroup(ProcMenu);
    group->setExclusive(true);
    auto add = [&](const QString& caption, int tag) {
        QAction* action = ProcMenu->addAction(caption);
        action->setCheckable(true);
        action->setData(tag);
        group->addAction(action);
        connect(action, &QAction::triggered, this, Guarded([this, tag](bool) { N3Click(tag); }));
    };
    for (int percent : {200, 150, 100, 75, 50, 25, 10}) add(QString::number(percent) + QLatin1Char('%'), percent);
    add(engineText(PageWidthText), zmPageWidth);
    add(engineText(WholePageText), zmWholePage);
    add(engineText(TwoPagesText), zmTwoPages);
}

void TrqPreviewForm::checkZoomItem()
{
    const int tag = ZoomMode == zmPercent ? static_cast<int>(std::lround(Zoom * 100)) : ZoomMode;
    bool found = false;
    for (QAction* action : ProcMenu->actions()) {
        const bool match = !found && action->data().toInt() == tag &&
                           (ZoomMode != zmPercent || tag > zmTwoPages);
        action->setChecked(match);
        found = found || match;
    }
}

void TrqPreviewForm::Connect(TrqReport* report)
{
    if (report_ && report_ != report) report_->DetachPreview(this);
    report_ = report;
    reportGone_ = false;
    building_ = nullptr;
    pages_.reset();
    if (!report) return;
    pages_ = report->ReplaceEMFPages(nullptr);
    report->AttachPreview(this);
    failedPages_.clear();
    match_.reset();
}

void TrqPreviewForm::Disconnect()
{
    if (!report_) return;
    if (pages_ && report_->EMFPages().Count() == 0) report_->ReplaceEMFPages(std::move(pages_));
    pages_.reset();
    report_->DetachPreview(this);
    report_ = nullptr;
    PBox->update();
}

void TrqPreviewForm::ReportFreed()
{
    // The report is being freed: its pages' views refer to it, so they go first.
    pages_.reset();
    building_ = nullptr;
    if (report_) report_->DetachPreview(this);
    report_ = nullptr;
    reportGone_ = true;
    UpdatePageLabel();
    if (embedded_) {
        PBox->update();
    } else if (modal_) {
        done(0);
    } else {
        hide();
        deleteLater();
    }
}

void TrqPreviewForm::ShowFor(TrqReport* report, bool modal)
{
    modal_ = modal;
    Connect(report);
    openView();
}

void TrqPreviewForm::ShowBuilding(TrqReport* report, int finished)
{
    modal_ = true;
    Connect(nullptr);
    report_ = report;
    report->AttachPreview(this);
    building_ = &report->EMFPages();
    finishedWhileBuilding_ = shownWhileBuilding_ = std::clamp(finished, 0, building_->Count());
    openView();
    sinceLayout_.start();
}

void TrqPreviewForm::PagesFinished(int finished)
{
    if (!building_) return;
    finishedWhileBuilding_ = std::clamp(finished, 0, building_->Count());
    // The first screenful at once, then a few times a second.
    constexpr int LayoutInterval = 250;
    if (finishedWhileBuilding_ == shownWhileBuilding_) return;
    if (shownWhileBuilding_ > 2 && sinceLayout_.isValid() && sinceLayout_.elapsed() < LayoutInterval) return;
    shownWhileBuilding_ = finishedWhileBuilding_;
    layOutKeepingPlace();
    sinceLayout_.start();
}

void TrqPreviewForm::BuildFinished()
{
    if (!building_ || !report_) return;
    building_ = nullptr;
    pages_ = report_->ReplaceEMFPages(nullptr);
    ApplyButtons();
    layOutKeepingPlace();
}

void TrqPreviewForm::layOutKeepingPlace()
{
    const int32_t h = HPosition(), v = VPosition();
    const int page = CurrentPage;
    FormResize();
    paintingEnabled_ = false;
    SetHPosition(h);
    SetVPosition(v);
    CurrentPage = std::clamp(page, 1, std::max(PageCount(), 1));
    UpdatePageLabel();
    paintingEnabled_ = true;
    PBox->update();
}

void TrqPreviewForm::openView()
{
    ApplyButtons();
    ResetView(true);
    SetHPosition(0);
    SetVPosition(0);
    if (!parentWidget() || isWindow()) {
        const TrqWindowPlacement placement = ReadWindowPlacement("TrqPreviewForm", geometry());
        setGeometry(placement.Bounds);
        if (placement.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
    }
}

bool TrqPreviewForm::havePrinter() const { return HavePlatformPrinter(); }

void TrqPreviewForm::ApplyButtons()
{
    if (!report_) return;
    const TrqPreviewButtons buttons = report_->PreviewButtons();
    auto has = [buttons](TrqPreviewButton b) { return (buttons & PreviewButtonBit(b)) != 0; };
    ZoomBtn->setVisible(has(pbZoom));
    LoadBtn->setVisible(has(pbLoad));
    SaveBtn->setVisible(has(pbSave));
    PrintBtn->setVisible(has(pbPrint));
    FindBtn->setVisible(has(pbFind));
    PageSetupBtn->setVisible(has(pbPageSetup));
    HelpBtn->setVisible(has(pbHelp) && !embedded_);
    ExitBtn->setVisible(has(pbExit) && !embedded_);
    rqTBSeparator1->setVisible(has(pbZoom));
    rqTBSeparator3->setVisible(FindBtn->isVisibleTo(Panel1) || HelpBtn->isVisibleTo(Panel1));
    // The commands that lend the pages to the report wait for its build.
    PrintBtn->setEnabled(havePrinter() && !building_);
    PageSetupBtn->setEnabled(PrintBtn->isEnabled());
    LoadBtn->setEnabled(!building_);
    SaveBtn->setEnabled(!building_);
    switch (report_->InitialZoom()) {
    case pzPageWidth: LastZoomMode = zmPageWidth; break;
    case pzOnePage: LastZoomMode = zmWholePage; break;
    case pzTwoPages: LastZoomMode = zmTwoPages; break;
    default: break;
    }
    for (TrqTBButton* b : {ZoomBtn, LoadBtn, SaveBtn, PrintBtn, PageSetupBtn, FindBtn, HelpBtn, ExitBtn})
        b->SetGrayedInactive(report_->GrayedButtons());
    Panel1->adjustSize();
}

void TrqPreviewForm::releaseAllViews()
{
    TrqEMFPages* pages = Pages();
    if (!pages) return;
    WithScratchCanvas([&](TrqCanvas& canvas) {
        for (int i = 0; i < PageCount(); ++i) {
            (*pages)[i].InView = 0;
            pages->Draw(i, canvas, {});
        }
    });
}

void TrqPreviewForm::ResetView(bool toFirstPage)
{
    Zoom = LastZoom;
    ZoomMode = LastZoomMode;
    checkZoomItem();
    if (toFirstPage) {
        paintingEnabled_ = false;
        CurrentPage = 1;
        ContentOffsetX = ContentOffsetY = 0;
        prevH_ = prevV_ = 0;
        HScrollBar->setValue(0);
        VScrollBar->setValue(0);
        paintingEnabled_ = true;
    }
    match_.reset();
    UpdatePageLabel();
    FormResize();
    releaseAllViews();
    PBox->update();
}

void TrqPreviewForm::FormResize()
{
    if (PageCount() == 0) return;
    paintingEnabled_ = false;
    CurrentPage = std::clamp(CurrentPage, 1, PageCount());
    const TrqPreviewLayout layout =
        LayoutPreviewPages(*Pages(), CurrentPage - 1, ZoomMode, Zoom, PBox->width(), PBox->height(), PageCount());
    Zoom = layout.Zoom;
    checkZoomItem();
    ZoomBtn->SetCaption(std::to_string(std::lround(Zoom * 100)) + "%");
    HScrollBar->setMaximum(layout.HMax);
    HScrollBar->setEnabled(layout.HMax != 0);
    VScrollBar->setMaximum(layout.VMax);
    VScrollBar->setEnabled(layout.VMax != 0);
    if (isVisible() || (embedded_ && ScrollBox1->isVisible())) ScrollBox1->setFocus();
    ShowCurrentPage();
    paintingEnabled_ = true;
    PBox->update();
}

void TrqPreviewForm::ShowCurrentPage()
{
    if (PageCount() == 0) return;
    const TrqRect& r = (*Pages())[std::clamp(CurrentPage, 1, PageCount()) - 1].DisplayRect;
    SetVPosition(r.Top - 10);
}

void TrqPreviewForm::UpdatePageLabel()
{
    if (PageCount() == 0) {
        Label1->clear();
        return;
    }
    if (OnPageChanged) OnPageChanged(CurrentPage);
    Label1->setText(engineText(PageText) + QLatin1Char(' ') + QString::number(CurrentPage) + QLatin1Char('/') +
                    QString::number(PageCount()));
}

int32_t TrqPreviewForm::HPosition() const { return HScrollBar->value(); }
int32_t TrqPreviewForm::VPosition() const { return VScrollBar->value(); }

void TrqPreviewForm::SetHPosition(int32_t position)
{
    HScrollBar->setValue(std::clamp(position, 0, HScrollBar->maximum()));
}

void TrqPreviewForm::SetVPosition(int32_t position)
{
    VScrollBar->setValue(std::clamp(position, 0, VScrollBar->maximum()));
}

void TrqPreviewForm::onVScroll(int position)
{
    const int dy = prevV_ - position;
    ContentOffsetY = -position;
    prevV_ = position;
    // The image already drawn moves; only the strip it uncovers is painted.
    if (paintingEnabled_ && PBox->isVisible()) PBox->scroll(0, dy);
    else PBox->update();
    if (PageCount() == 0) return;
    const int page = PageAtScrollPosition(*Pages(), position, PageCount());
    if (page >= 0 && page + 1 != CurrentPage) {
        CurrentPage = page + 1;
        UpdatePageLabel();
    }
}

void TrqPreviewForm::onHScroll(int position)
{
    const int dx = prevH_ - position;
    ContentOffsetX = -position;
    prevH_ = position;
    if (paintingEnabled_ && PBox->isVisible()) PBox->scroll(dx, 0);
    else PBox->update();
}

void TrqPreviewForm::PgUpClick()
{
    if (CurrentPage > 1) --CurrentPage;
    UpdatePageLabel();
    ShowCurrentPage();
}

void TrqPreviewForm::PgDownClick()
{
    if (PageCount() == 0) return;
    if (CurrentPage < PageCount()) ++CurrentPage;
    UpdatePageLabel();
    ShowCurrentPage();
}

bool TrqPreviewForm::FormKeyDown(Word key, TShiftState shift)
{
    if (PageCount() == 0) return false;
    const bool ctrl = (shift & ssCtrl) != 0;
    switch (key) {
    case VK_UP: SetVPosition(VPosition() - SmallChange); return true;
    case VK_DOWN: SetVPosition(VPosition() + SmallChange); return true;
    case VK_LEFT: SetHPosition(HPosition() - SmallChange); return true;
    case VK_RIGHT: SetHPosition(HPosition() + SmallChange); return true;
    case VK_PRIOR:
        if (ctrl) PgUpClick();
        else SetVPosition(VPosition() - LargeChange);
        return true;
    case VK_NEXT:
        if (ctrl) PgDownClick();
        else SetVPosition(VPosition() + LargeChange);
        return true;
    case VK_SPACE: ZoomBtnClick(); return true;
    case VK_ESCAPE: ExitBtnClick(); return true;
    case VK_HOME:
        if (!ctrl) return false;
        SetVPosition(0);
        return true;
    case VK_END:
        if (!ctrl) return false;
        CurrentPage = PageCount();
        UpdatePageLabel();
        ShowCurrentPage();
        return true;
    case VK_F3:
        if (ctrl || FindText.empty()) return false;
        if (CurrentPage != ResumePage + 1) {
            ResumePage = CurrentPage - 1;
            ResumeIndex = 0;
        }
        FindNext();
        return true;
    case 'O':
        if (!ctrl) return false;
        LoadBtnClick();
        return true;
    case 'S':
        if (!ctrl) return false;
        SaveBtnClick();
        return true;
    case 'F':
        if (!ctrl) return false;
        FindBtnClick();
        return true;
    case 'P':
        if (!ctrl) return false;
        if (PrintBtn->isEnabled()) PrintBtnClick();
        return true;
    default: return false;
    }
}

void TrqPreviewForm::keyPressEvent(QKeyEvent* event)
{
    // The dialog's own keys (Esc, Enter) are the preview's.
    Guard([&] {
        const KeyStroke stroke = TranslateKeyEvent(*event);
        FormKeyDown(stroke.key, stroke.shift);
    });
    event->accept();
}

bool TrqPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == ScrollBox1 || watched == PBox)) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool used = false;
        Guard([&] {
            const KeyStroke stroke = TranslateKeyEvent(*key);
            used = FormKeyDown(stroke.key, stroke.shift);
        });
        // Navigation keys never move the focus away from the page area.
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: used = true; break;
        default: break;
        }
        return used;
    }
    if (event->type() == QEvent::Wheel && embedded_ && watched != PBox) {
        // The wheel anywhere on the window that holds the control scrolls the pages.
        Guard([&] { wheel(static_cast<QWheelEvent*>(event)); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TrqPreviewForm::focusNextPrevChild(bool) { return false; }

void TrqPreviewForm::savePlacement()
{
    if (embedded_ || !isWindow() || (parentWidget() && !isWindow())) return;
    const bool maximized = isMaximized();
    WriteWindowPlacement("TrqPreviewForm", maximized ? normalGeometry() : geometry(), maximized);
}

void TrqPreviewForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous() && !embedded_) Guard([this] { savePlacement(); });
}

void TrqPreviewForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) ScrollBox1->setFocus();
}

void TrqPreviewForm::ExitBtnClick()
{
    if (modal_) done(mrOk);
    else close();
}

void TrqPreviewForm::HelpBtnClick()
{
    // Help mode: the next click on a control shows its help text.
    QWhatsThis::enterWhatsThisMode();
}

void TrqPreviewForm::SetEmbedded(bool embedded, QMenu* popupMenu)
{
    embedded_ = embedded;
    popupMenu_ = popupMenu;
    WheelFactor = embedded ? 3 : 1;
}

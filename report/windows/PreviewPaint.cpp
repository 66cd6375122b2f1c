// The preview's page area: painting the pages in view (and releasing the
// views of the others), the mouse (object clicks, the hover cursor, dragging
// the pages, the right-click menu) and the wheel.
#include "report/windows/PreviewForm.h"

#include "report/canvas/Canvas.h"
#include "runtime/Application.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
const QColor PageAreaGrey(0x80, 0x80, 0x80);
// Pages further down than this count as out of view without further test
// (at least the height of the area, so tall screens draw every page they show).
constexpr int OutOfViewDistance = 2000;

// The cursor codes a report's OnMouseOverObject handler may choose.
Qt::CursorShape cursorShape(int code)
{
    switch (code) {
    case -3: return Qt::CrossCursor;
    case -4: return Qt::IBeamCursor;
    case -11: return Qt::WaitCursor;
    case -12: return Qt::DragMoveCursor;
    case -18: return Qt::ForbiddenCursor;
    case -20: return Qt::WhatsThisCursor;
    case -21: return Qt::PointingHandCursor;
    case -22: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}
}  // namespace

TrqPBox::TrqPBox(TrqPreviewForm& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void TrqPBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    Guard([&] { form_.paintPages(painter, event->region()); });
}

void TrqPBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Guard([this] { form_.FormResize(); });
}

void TrqPBox::mousePressEvent(QMouseEvent* event)
{
    Guard([&] { form_.mousePress(event); });
}

void TrqPBox::mouseMoveEvent(QMouseEvent* event)
{
    Guard([&] { form_.mouseMove(event); });
}

void TrqPBox::mouseReleaseEvent(QMouseEvent* event)
{
    Guard([&] { form_.mouseRelease(event); });
}

void TrqPBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    Guard([&] { form_.mouseDoubleClick(event); });
}

void TrqPBox::wheelEvent(QWheelEvent* event)
{
    Guard([&] { form_.wheel(event); });
}

void TrqPreviewForm::paintPages(QPainter& painter, const QRegion& region)
{
    if (!paintingEnabled_) return;
    if (PageCount() == 0) {
        painter.fillRect(PBox->rect(), PBox->palette().color(QPalette::Button));
        return;
    }
    TrqEMFPages& pages = *Pages();
    const int count = PageCount();
    const int farBelow = std::max(OutOfViewDistance, PBox->height());
    std::vector<QRect> shown;
    std::vector<int> shownIndex;
    QRegion grey = region;
    for (int i = 0; i < count; ++i) {
        TrqPreparedPage& page = pages[i];
        const TrqRect& d = page.DisplayRect;
        const QRect r(d.Left + ContentOffsetX, d.Top + ContentOffsetY, d.Width(), d.Height());
        page.InView = 0;
        if (r.top() > farBelow || r.bottom() < 0) continue;
        if (!region.intersects(r.adjusted(0, 0, 1, 1))) continue;
        page.InView = 1;
        shown.push_back(r);
        shownIndex.push_back(i);
        grey -= QRegion(r.adjusted(1, 1, -1, -1));
    }
    painter.save();
    painter.setClipRegion(grey);
    painter.fillRect(PBox->rect(), PageAreaGrey);
    painter.restore();
    for (const QRect& r : shown) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        painter.drawLine(r.left() + 1, r.bottom() + 1, r.right() + 1, r.bottom() + 1);
        painter.drawLine(r.right() + 1, r.bottom() + 1, r.right() + 1, r.top() + 1);
    }
    painter.setBrush(Qt::NoBrush);

    TrqCanvas canvas(painter, ckScreen);
    canvas.SetClipRegion(region);
    for (int i = 0; i < count; ++i) {
        TrqPreparedPage& page = pages[i];
        if (!page.InView) {
            pages.Draw(i, canvas, {});  // a page out of view lets its views go
            continue;
        }
        const TrqRect& d = page.DisplayRect;
        TrqRect target{d.Left + ContentOffsetX, d.Top + ContentOffsetY, d.Right + ContentOffsetX,
                       d.Bottom + ContentOffsetY};
        if (!page.UseMargins) {
            const PrinterPageInfo& info = page.PrnInfo;
            const int32_t left = target.Left + RoundToInt((double(info.OffsetXUnits) + page.LeftMargin) * Zoom);
            const int32_t top = target.Top + RoundToInt((double(info.OffsetYUnits) + page.TopMargin) * Zoom);
            target = {left, top,
                      left + RoundToInt((double(info.PrintableWidthUnits) - page.LeftMargin - page.RightMargin) * Zoom),
                      top + RoundToInt((double(info.PrintableHeightUnits) - page.TopMargin - page.BottomMargin) * Zoom)};
        }
        if (static_cast<size_t>(i) < failedPages_.size() && failedPages_[static_cast<size_t>(i)]) continue;
        try {
            painter.save();
            pages.Draw(i, canvas, target);
            painter.restore();
        } catch (const std::exception& e) {
            painter.restore();
            page.InView = 0;
            pages.Draw(i, canvas, {});
            reportPageError(i, e);
        }
    }
    if (match_ && match_->first < count && pages[match_->first].InView) {
        // The text found, inverted where it now appears.
        const TrqRect& d = pages[match_->first].DisplayRect;
        const TrqRect& box = match_->second;
        const QRect r(d.Left + ContentOffsetX + RoundToInt(box.Left * Zoom),
                      d.Top + ContentOffsetY + RoundToInt(box.Top * Zoom), RoundToInt(box.Width() * Zoom),
                      RoundToInt(box.Height() * Zoom));
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(r, Qt::white);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void TrqPreviewForm::reportPageError(int page, const std::exception& error)
{
    // A page that cannot be drawn says so once, after the painting.
    if (failedPages_.size() < static_cast<size_t>(PageCount())) failedPages_.resize(static_cast<size_t>(PageCount()));
    failedPages_[static_cast<size_t>(page)] = true;
    const std::string message = error.what();
    QTimer::singleShot(0, this, [message] { Application().HandleException(Exception(message)); });
}

int TrqPreviewForm::pageAt(const QPoint& point) const
{
    const int x = point.x() - ContentOffsetX, y = point.y() - ContentOffsetY;
    for (int i = 0; i < PageCount(); ++i)
        if ((*Pages())[i].DisplayRect.Contains(x, y)) return i;
    return -1;
}

QPoint TrqPreviewForm::toUnits(int page, const QPoint& point) const
{
    const TrqRect& d = (*Pages())[page].DisplayRect;
    const double z = Zoom > 0 ? Zoom : 1;
    return {RoundToInt((point.x() - ContentOffsetX - d.Left) / z), RoundToInt((point.y() - ContentOffsetY - d.Top) / z)};
}

void TrqPreviewForm::mousePress(QMouseEvent* event)
{
    if (PageCount() == 0) return;
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        QMenu* menu = popupMenu_ ? popupMenu_ : ProcMenu;
        menu->popup(PBox->mapToGlobal(point));
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    int pressed = -1;
    TrqEMFPages& pages = *Pages();
    for (int i = 0; i < PageCount(); ++i) {
        const TrqRect& d = pages[i].DisplayRect;
        if (!d.Contains(point.x() - ContentOffsetX, point.y() - ContentOffsetY)) continue;
        pressed = i;
        const QPoint units = toUnits(i, point);
        int cursor = 0;
        if (pages.HitObject(i, units.x(), units.y(), true, cursor)) return;
    }
    dragging_ = true;
    dragPoint_ = point;
    if (pressed >= 0) CurrentPage = pressed + 1;
    UpdatePageLabel();
}

void TrqPreviewForm::mouseMove(QMouseEvent* event)
{
    if (PageCount() == 0) return;
    const QPoint point = event->position().toPoint();
    if (dragging_) {
        // The pages follow the mouse.
        const QPoint moved = point - dragPoint_;
        SetHPosition(HPosition() - moved.x());
        SetVPosition(VPosition() - moved.y());
        dragPoint_ = point;
        return;
    }
    if (!report_ || !report_->OnMouseOverObject) return;
    const int page = pageAt(point);
    int cursor = 0;
    bool handled = false;
    if (page >= 0) {
        const QPoint units = toUnits(page, point);
        handled = Pages()->HitObject(page, units.x(), units.y(), false, cursor);
    }
    PBox->setCursor(handled ? cursorShape(cursor) : Qt::ArrowCursor);
}

void TrqPreviewForm::mouseRelease(QMouseEvent*) { dragging_ = false; }

void TrqPreviewForm::mouseDoubleClick(QMouseEvent*)
{
    // The second press of a double click starts nothing.
    dragging_ = false;
}

void TrqPreviewForm::wheel(QWheelEvent* event)
{
    if (PageCount() == 0) return;
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0) SetVPosition(VPosition() - notches * 10 * WheelFactor);
    event->accept();
}
